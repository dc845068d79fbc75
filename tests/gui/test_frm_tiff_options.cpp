#include <gtest/gtest.h>

#include <QRadioButton>

#include <filesystem>

#include "dialog_fixture.h"

using namespace quorrix;

namespace {

struct TIFFOptionsTest : ::testing::Test, test::DialogFixture {
    template <typename T> T* at(QDialog* dialog, const char* name) { return in<T>(dialog, name); }
};

TEST_F(TIFFOptionsTest, OkReachesTheTiffRunAndTheRulesGuardTheBoxes)
{
    storeSettings([](engine::Settings& s) {
        s.Language = 1;
        s.TiffSaveEachSheetOwnSize = 0;
        s.TiffImageType = 0;
        s.TiffCompressionScheme = 2;
    });
    document("plan.SLDDRW", "[Document]\n[Sheet.1]\nName=Front\nWidth=0.42\nHeight=0.297\n");
    start();

    QDialog* dialog = openFromButton("cmdCallTIFFSettings", "frmTIFFOptions");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(at<QComboBox>(dialog, "cmbTO_PaperSize")->itemText(12).toStdString(), info(31));
    // Colour with Group 4 is refused and set back.
    choose(at<QComboBox>(dialog, "cmbTO_ImageType"), 1);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].request.text, info(171));
    EXPECT_EQ(at<QComboBox>(dialog, "cmbTO_ImageType")->currentIndex(), 0);
    // The user paper, 100 mm x 50 mm at 100 dpi, scaled to 50 %.
    choose(at<QComboBox>(dialog, "cmbTO_PaperSize"), 12);
    EXPECT_TRUE(at<QLineEdit>(dialog, "txtTO_PrintPaperWidth")->isEnabled());
    type(at<QLineEdit>(dialog, "txtTO_PrintPaperWidth"), QStringLiteral("0.1"));
    type(at<QLineEdit>(dialog, "txtTO_PrintPaperHeight"), QStringLiteral("0.05"));
    choose(at<QComboBox>(dialog, "cmbTO_PrintDPI"), 1);
    auto* scale = at<QLineEdit>(dialog, "txtTO_PrintScaleFactor");
    EXPECT_FALSE(scale->isEnabled()); // fitted
    at<QCheckBox>(dialog, "chkTO_PrintScaleToFit")->click();
    scale->setText(QStringLiteral("1001"));
    emit scale->editingFinished();
    EXPECT_EQ(shown().back().request.text, info(170));
    EXPECT_EQ(scale->text(), QStringLiteral("100"));
    scale->setText(QStringLiteral("50.9"));
    emit scale->editingFinished();
    EXPECT_EQ(scale->text(), QStringLiteral("50"));
    // Screen capture greys the print-only boxes.
    choose(at<QComboBox>(dialog, "cmbTO_ScreenOrPrintCapture"), 0);
    EXPECT_FALSE(at<QComboBox>(dialog, "cmbTO_PrintDPI")->isEnabled());
    EXPECT_FALSE(at<QLineEdit>(dialog, "txtTO_PrintPaperWidth")->isEnabled());
    choose(at<QComboBox>(dialog, "cmbTO_ScreenOrPrintCapture"), 1);
    at<QRadioButton>(dialog, "optTS_SaveAsTitleName_1")->click();

    // The TIFF line weights, kept until OK.
    click(dialog, "cmdSetTIFFLineWeight");
    QDialog* lines = openDialogIn(dialog, "frmPrinterLineSettings");
    ASSERT_TRUE(lines);
    in<QCheckBox>(lines, "chkUse")->setChecked(true);
    press(lines, Qt::Key_Return);
    EXPECT_TRUE(at<QCheckBox>(dialog, "chkUseLineWeight")->isChecked());
    EXPECT_EQ(current().PrinterLines[13].UsePrinterLines, 0);

    messages().clearShown();
    press(dialog, Qt::Key_Return);
    ASSERT_FALSE(openDialog("frmTIFFOptions"));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(current().TiffPrintPaperSize, 12);
    EXPECT_DOUBLE_EQ(current().TiffPrintPaperWidth, 100);
    EXPECT_EQ(current().TiffprintScaleFactor, 50);
    EXPECT_EQ(current().TiffPrintScaleToFit, 0);
    EXPECT_EQ(current().TiffPrintDPI, 100);
    EXPECT_EQ(current().TiffSaveFullPathName, 1);
    EXPECT_EQ(current().PrinterLines[13].UsePrinterLines, engine::kTrue);

    // The run writes the sheet at the chosen paper and resolution: 394 x 197 pixels.
    trigger("mnuEditAddAll");
    trigger("mnuEditTIFF");
    const std::string tiff = dir.file("Front.tif");
    ASSERT_TRUE(std::filesystem::exists(tiff));
    EXPECT_EQ(test::tiffSize(test::readFileBytes(tiff)), std::make_pair(394u, 197u));
}

} // namespace
