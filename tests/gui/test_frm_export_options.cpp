#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialog_fixture.h"
#include "support/output_readers.h"

using namespace quorrix;

namespace {

struct ExportOptionsTest : ::testing::Test, test::DialogFixture {
    // A folder for the outputs, chosen in the window's folder frame.
    std::string chooseFolder(QDialog* dialog, const char* name)
    {
        const std::string out = dir.file(name);
        std::filesystem::create_directory(out);
        in<QCheckBox>(dialog, "chkTS_SaveInDocFolder")->setChecked(false);
        dialogs().queueResult(gui::FileDialogResult { out, 0 });
        click(dialog, "cmdTS_ChooseSaveDirectory");
        return out;
    }
};

// The option windows keep their changes until OK; a folder that is missing is kept with a
// warning. Their buttons and toolbar keys run these menu entries (see the main window's tests).
TEST_F(ExportOptionsTest, CancelKeepsTheFolderAndOkKeepsAMissingOneWithAWarning)
{
    using S = engine::Settings;
    struct Row {
        const char* menuEntry;
        const char* name;
        int title;
        std::string S::*folder; // none for the windows without a folder frame
    };
    const Row rows[] = { { "mnuOptTIFF", "frmTIFFOptions", 6, &S::TiffSaveFolder },
        { "mnuOptDXF", "frmDXFOptions", 8, &S::DXFSaveFolder },
        { "mnuOptExport3D", "frmExport3DOptions", 82, &S::ThreeDSaveFolder },
        { "mnuOptExportDocuments", "frmExportDocuments", 84, &S::ExpDocSaveFolder },
        { "mnuOptExportEDrawings", "frmExportEDrawingsOptions", 83, &S::EDrawingsSaveFolder },
        { "mnuOptFilter", "frmListFilter", 81, nullptr },
        { "mnuOptPrePostEdit", "frmPrePostFilenames", 87, nullptr } };
    startIn();
    const auto typeFolder = [](QDialog* dialog, const char* folder) {
        in<QCheckBox>(dialog, "chkTS_SaveInDocFolder")->setChecked(false);
        in<QLineEdit>(dialog, "txtTS_SaveDirectory")->setText(QString::fromUtf8(folder));
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        messages().clearShown();
        const std::string before = row.folder ? current().*row.folder : "";
        QDialog* dialog = openFromMenu(row.menuEntry, row.name);
        EXPECT_EQ(dialog->windowTitle().toStdString(), info(row.title));
        if (row.folder)
            typeFolder(dialog, "/cancelled");
        press(dialog, Qt::Key_Escape);
        ASSERT_FALSE(openDialog(row.name));
        if (row.folder) {
            EXPECT_EQ(current().*row.folder, before);
        }

        dialog = openFromMenu(row.menuEntry, row.name);
        if (row.folder)
            typeFolder(dialog, "/no/such/folder");
        press(dialog, Qt::Key_Return);
        EXPECT_FALSE(openDialog(row.name));
        if (!row.folder) {
            EXPECT_TRUE(shown().empty());
            continue;
        }
        EXPECT_EQ(current().*row.folder, "/no/such/folder");
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].request.text.rfind(info(152), 0), 0u);
    }
}

TEST_F(ExportOptionsTest, ThreeDFormatAndFolderReachTheExport)
{
    document("bracket.SLDPRT", "[Document]\n");
    startIn([](engine::Settings& s) {
        s.ThreeDSaveFormat = "igs";
        s.ThreeDSaveInModelFolder = 1;
    });
    QDialog* dialog = openFromButton("cmdCallExport3DSettings", "frmExport3DOptions");
    auto* formats = in<QComboBox>(dialog, "cmbExportType");
    ASSERT_EQ(formats->count(), 10);
    EXPECT_EQ(formats->currentText(), "IGES (*.igs)");
    EXPECT_FALSE(in<QLineEdit>(dialog, "txtTS_SaveDirectory")->isEnabled());
    formats->setCurrentIndex(3);
    const std::string out = chooseFolder(dialog, "models");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().ThreeDSaveFormat, "step");
    run("mnuEditExport3D");
    EXPECT_TRUE(std::filesystem::exists(out + "/bracket.step"));
}

TEST_F(ExportOptionsTest, DocumentExportWritesA3DPdfWithItsLineWeightsOrAJpg)
{
    document("pump.SLDPRT", "[Document]\n");
    document("plan.SLDDRW", "[Document]\n"); // SolidWorks keeps line weights per drawing
    startIn([](engine::Settings& s) { s.ExpDocSaveFormat = "pdf"; });
    QDialog* dialog = openFromButton("cmdCallExportDocumentsSettings", "frmExportDocuments");
    auto* frame3D = in<QGroupBox>(dialog, "fra3DPDFExport");
    EXPECT_TRUE(frame3D->isVisible());
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(1);
    EXPECT_FALSE(frame3D->isVisible());
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(0);

    // The line weights stay the window's own until its OK.
    const auto setLines = [](QDialog* owner) {
        click(owner, "cmdSetPDFLineWeight");
        QDialog* lines = openDialogIn(owner, "frmPrinterLineSettings");
        ASSERT_TRUE(lines);
        in<QLineEdit>(lines, "txtThin")->setText("0.5");
        in<QCheckBox>(lines, "chkUse")->setChecked(true);
        press(lines, Qt::Key_Return);
        EXPECT_TRUE(in<QCheckBox>(owner, "chkUsePDFLineWeight")->isChecked());
    };
    setLines(dialog);
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().PrinterLines[engine::kPdfLineWeightSlot].UsePrinterLines, 0);

    dialog = openFromButton("cmdCallExportDocumentsSettings", "frmExportDocuments");
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkUsePDFLineWeight")->isChecked());
    setLines(dialog);
    in<QCheckBox>(dialog, "chkUsePDF3DExport")->setChecked(true);
    const std::string out = chooseFolder(dialog, "pdf");
    press(dialog, Qt::Key_Return);
    run("mnuEditExportDocuments");
    EXPECT_TRUE(std::filesystem::exists(out + "/pump.pdf"));
    EXPECT_TRUE(std::filesystem::exists(out + "/plan.pdf"));
    EXPECT_EQ(calls("ExportAs3D="),
        (std::vector<std::string> { "ExportPdfData[pump.SLDPRT].ExportAs3D=(True)" }));
    const auto weights = sim.journal().calls("SetUserPreferenceDoubleValue");
    ASSERT_FALSE(weights.empty());
    EXPECT_EQ(weights.front().args.at(1), "0.0005");

    dialog = openFromButton("cmdCallExportDocumentsSettings", "frmExportDocuments");
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(1);
    press(dialog, Qt::Key_Return);
    run("mnuEditExportDocuments");
    EXPECT_TRUE(std::filesystem::exists(out + "/pump.jpg"));
}

TEST_F(ExportOptionsTest, CombinedPdfNameIsKeptAndOneWindowsRefusesIsNot)
{
    startIn([](engine::Settings& s) {
        s.ExpDocSaveFormat = "pdf";
        s.ExpDocCombinePdf = 0;
        s.ExpDocCombinedName = "Pump set";
    });
    QDialog* dialog = openFromMenu("mnuOptExportDocuments", "frmExportDocuments");
    auto* combine = in<QCheckBox>(dialog, "chkCombinePdf");
    auto* name = in<QLineEdit>(dialog, "txtCombinedName");
    EXPECT_FALSE(combine->isChecked());
    EXPECT_EQ(name->text(), "Pump set");
    EXPECT_FALSE(name->isEnabled());
    combine->click();
    EXPECT_TRUE(name->isEnabled());

    for (const char* bad : { "", "   ", "a/b", "a\\b", "C:x", "what?", "x*", "<x>", "a|b",
             "say \"x\"", "tab\there", "end.", "CON", "nul.pdf", "Lpt1" }) {
        SCOPED_TRACE(bad);
        messages().clearShown();
        name->setText(QString::fromUtf8(bad));
        press(dialog, Qt::Key_Return);
        ASSERT_TRUE(openDialog("frmExportDocuments"));
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].request.text, info(261));
        EXPECT_TRUE(name->hasFocus());
        EXPECT_EQ(current().ExpDocCombinePdf, 0);
    }
    // A JPG export combines nothing, so its name is not asked for.
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(1);
    EXPECT_FALSE(in<QGroupBox>(dialog, "fraCombinePdf")->isVisible());
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(0);

    messages().clearShown();
    name->setText(" Pump 2024 (rev. B).pdf ");
    press(dialog, Qt::Key_Return);
    EXPECT_FALSE(openDialog("frmExportDocuments"));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(current().ExpDocCombinePdf, 1);
    EXPECT_EQ(current().ExpDocCombinedName, "Pump 2024 (rev. B).pdf");

    dialog = openFromMenu("mnuOptExportDocuments", "frmExportDocuments");
    EXPECT_TRUE(in<QCheckBox>(dialog, "chkCombinePdf")->isChecked());
    EXPECT_EQ(in<QLineEdit>(dialog, "txtCombinedName")->text(), "Pump 2024 (rev. B).pdf");
    in<QCheckBox>(dialog, "chkCombinePdf")->click();
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().ExpDocCombinePdf, 0);
}

TEST_F(ExportOptionsTest, EDrawingsOptionsReachSolidWorksAndTheProfessionalSelection)
{
    sim.installation().eDrawingsProfessional = true;
    document("unit.SLDASM", "[Document]\nConfigurations=Default,Variant\n");
    startIn([](engine::Settings& s) {
        s.EDrawingsSaveShaded = 1;
        s.FilterActive = 1;
        s.FilterNameFilter[0].Contain0 = "Var";
    });
    QDialog* dialog = openFromButton("cmdCallExportEDrawingsSettings", "frmExportEDrawingsOptions");
    EXPECT_TRUE(in<QCheckBox>(dialog, "chkEDRSaveShaded")->isChecked());
    in<QCheckBox>(dialog, "chkEDRCompress")->setChecked(true);
    in<QCheckBox>(dialog, "chkEDRProUseSheetnameFiter")->setChecked(true);
    const std::string out = chooseFolder(dialog, "edrw");
    press(dialog, Qt::Key_Return);

    run("mnuEditExportEDrawings");
    std::ostringstream file;
    file << std::ifstream(out + "/unit.easm").rdbuf();
    EXPECT_NE(file.str().find("Variant"), std::string::npos);
    EXPECT_EQ(file.str().find("Default"), std::string::npos);
    const auto toggles = sim.journal().calls("SetUserPreferenceToggle");
    ASSERT_FALSE(toggles.empty());
    EXPECT_EQ(toggles.front().args, (std::vector<std::string> { "160", "True" }));
}

TEST_F(ExportOptionsTest, OkReachesTheTiffRunAndTheRulesGuardTheBoxes)
{
    document("plan.SLDDRW", "[Document]\n[Sheet.1]\nName=Front\nWidth=0.42\nHeight=0.297\n");
    startIn([](engine::Settings& s) {
        s.TiffSaveEachSheetOwnSize = 0;
        s.TiffImageType = 0;
        s.TiffCompressionScheme = 2;
    });

    QDialog* dialog = openFromButton("cmdCallTIFFSettings", "frmTIFFOptions");
    EXPECT_EQ(in<QComboBox>(dialog, "cmbTO_PaperSize")->itemText(12).toStdString(), info(31));
    // Colour with Group 4 is refused and set back.
    choose(in<QComboBox>(dialog, "cmbTO_ImageType"), 1);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].request.text, info(171));
    EXPECT_EQ(in<QComboBox>(dialog, "cmbTO_ImageType")->currentIndex(), 0);
    // The user paper, 100 mm x 50 mm at 100 dpi, scaled to 50 %.
    choose(in<QComboBox>(dialog, "cmbTO_PaperSize"), 12);
    EXPECT_TRUE(in<QLineEdit>(dialog, "txtTO_PrintPaperWidth")->isEnabled());
    type(in<QLineEdit>(dialog, "txtTO_PrintPaperWidth"), "0.1");
    type(in<QLineEdit>(dialog, "txtTO_PrintPaperHeight"), "0.05");
    choose(in<QComboBox>(dialog, "cmbTO_PrintDPI"), 1);
    auto* scale = in<QLineEdit>(dialog, "txtTO_PrintScaleFactor");
    EXPECT_FALSE(scale->isEnabled()); // fitted
    in<QCheckBox>(dialog, "chkTO_PrintScaleToFit")->click();
    scale->setText("1001");
    emit scale->editingFinished();
    EXPECT_EQ(shown().back().request.text, info(170));
    EXPECT_EQ(scale->text(), "100");
    scale->setText("50.9");
    emit scale->editingFinished();
    EXPECT_EQ(scale->text(), "50");
    // Screen capture greys the print-only boxes.
    choose(in<QComboBox>(dialog, "cmbTO_ScreenOrPrintCapture"), 0);
    EXPECT_FALSE(in<QComboBox>(dialog, "cmbTO_PrintDPI")->isEnabled());
    EXPECT_FALSE(in<QLineEdit>(dialog, "txtTO_PrintPaperWidth")->isEnabled());
    choose(in<QComboBox>(dialog, "cmbTO_ScreenOrPrintCapture"), 1);
    in<QRadioButton>(dialog, "optTS_SaveAsTitleName_1")->click();

    // The TIFF line weights, kept until OK.
    click(dialog, "cmdSetTIFFLineWeight");
    QDialog* lines = openDialogIn(dialog, "frmPrinterLineSettings");
    ASSERT_TRUE(lines);
    in<QCheckBox>(lines, "chkUse")->setChecked(true);
    press(lines, Qt::Key_Return);
    EXPECT_TRUE(in<QCheckBox>(dialog, "chkUseLineWeight")->isChecked());
    EXPECT_EQ(current().PrinterLines[13].UsePrinterLines, 0);

    messages().clearShown();
    press(dialog, Qt::Key_Return);
    ASSERT_FALSE(openDialog("frmTIFFOptions"));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(current().TiffprintScaleFactor, 50);
    EXPECT_EQ(current().TiffPrintScaleToFit, 0);
    EXPECT_EQ(current().TiffSaveFullPathName, 1);
    EXPECT_EQ(current().PrinterLines[13].UsePrinterLines, engine::kTrue);

    // The run writes the sheet at the chosen paper and resolution: 394 x 197 pixels.
    run("mnuEditTIFF");
    const std::string tiff = dir.file("Front.tif");
    ASSERT_TRUE(std::filesystem::exists(tiff));
    EXPECT_EQ(test::tiffSize(test::readFileBytes(tiff)), std::make_pair(394u, 197u));
}

TEST_F(ExportOptionsTest, OkStoresTheChoicesAndTheDxfRunUsesThem)
{
    document("pump.SLDDRW", "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Side\n");
    startIn([](engine::Settings& s) {
        s.DXFSaveInDrawingFolder = 1;
        s.DXFSaveFolder = "/gone";
        s.DXFSaveFullPathName = 1;
    });

    QDialog* dialog = openFromButton("cmdCallDXFSettings", "frmDXFOptions");
    EXPECT_TRUE(in<QRadioButton>(dialog, "optTS_SaveAsTitleName_1")->isChecked());
    EXPECT_FALSE(in<QLineEdit>(dialog, "txtTS_SaveDirectory")->isEnabled());
    EXPECT_EQ(in<QLineEdit>(dialog, "txtTS_SaveDirectory")->text(), "/gone");
    const std::string out = dir.file("dxf-out");
    std::filesystem::create_directory(out);
    in<QCheckBox>(dialog, "chkTS_SaveInDocFolder")->click();
    EXPECT_TRUE(in<QLineEdit>(dialog, "txtTS_SaveDirectory")->isEnabled());
    dialogs().queueResult(gui::FileDialogResult { out, 0 });
    click(dialog, "cmdTS_ChooseSaveDirectory");
    EXPECT_EQ(in<QLineEdit>(dialog, "txtTS_SaveDirectory")->text().toStdString(), out);
    in<QRadioButton>(dialog, "optTS_SaveAsTitleName_2")->click();
    in<QCheckBox>(dialog, "chkSWXMultiDXF")->click();
    press(dialog, Qt::Key_Return);
    EXPECT_FALSE(openDialog("frmDXFOptions"));
    EXPECT_EQ(current().DXFSaveInDrawingFolder, 0);
    EXPECT_EQ(current().DXFSaveFolder, out);
    EXPECT_EQ(current().DXFSaveFullPathName, 2);
    EXPECT_EQ(current().DXFSWXMultiDXF, 1);
    EXPECT_TRUE(shown().empty());

    // The run writes the drawing's one file into the chosen folder, named like the document.
    run("mnuEditDXF");
    EXPECT_TRUE(std::filesystem::exists(out + "/pump.dxf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1);
}

} // namespace
