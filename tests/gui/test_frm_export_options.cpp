#include <gtest/gtest.h>

#include <QGroupBox>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialog_fixture.h"

using namespace quorrix;

namespace {

struct ExportOptionsTest : ::testing::Test, test::DialogFixture {
    void startIn(const std::function<void(engine::Settings&)>& change)
    {
        storeSettings([&change](engine::Settings& s) {
            s.Language = 1;
            change(s);
        });
        start();
    }
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
    void run(const char* action)
    {
        trigger("mnuEditAddAll");
        trigger(action);
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
    startIn([](S&) {});
    const auto typeFolder = [](QDialog* dialog, const char* folder) {
        in<QCheckBox>(dialog, "chkTS_SaveInDocFolder")->setChecked(false);
        in<QLineEdit>(dialog, "txtTS_SaveDirectory")->setText(QString::fromUtf8(folder));
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        messages().clearShown();
        const std::string before = row.folder ? current().*row.folder : "";
        QDialog* dialog = openFromMenu(row.menuEntry, row.name);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle().toStdString(), info(row.title));
        if (row.folder)
            typeFolder(dialog, "/cancelled");
        press(dialog, Qt::Key_Escape);
        ASSERT_FALSE(openDialog(row.name));
        if (row.folder)
            EXPECT_EQ(current().*row.folder, before);

        dialog = openFromMenu(row.menuEntry, row.name);
        ASSERT_TRUE(dialog);
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
    ASSERT_TRUE(dialog);
    auto* formats = in<QComboBox>(dialog, "cmbExportType");
    ASSERT_EQ(formats->count(), 10);
    EXPECT_EQ(formats->currentText(), QStringLiteral("IGES (*.igs)"));
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
    ASSERT_TRUE(dialog);
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
        in<QLineEdit>(lines, "txtThin")->setText(QStringLiteral("0.5"));
        in<QCheckBox>(lines, "chkUse")->setChecked(true);
        press(lines, Qt::Key_Return);
        EXPECT_TRUE(in<QCheckBox>(owner, "chkUsePDFLineWeight")->isChecked());
    };
    setLines(dialog);
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().PrinterLines[engine::kPdfLineWeightSlot].UsePrinterLines, 0);

    dialog = openFromButton("cmdCallExportDocumentsSettings", "frmExportDocuments");
    ASSERT_TRUE(dialog);
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
    ASSERT_TRUE(dialog);
    in<QComboBox>(dialog, "cmbExportType")->setCurrentIndex(1);
    press(dialog, Qt::Key_Return);
    run("mnuEditExportDocuments");
    EXPECT_TRUE(std::filesystem::exists(out + "/pump.jpg"));
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
    ASSERT_TRUE(dialog);
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

} // namespace
