#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <filesystem>

#include "dialog_fixture.h"
#include "engine/run/program_start.h"

using namespace quorrix;

namespace {

// The windows with ten sets each, of which one is in force: the sheet name filter and the
// prefix and postfix of file names.
struct NameSetsTest : ::testing::Test, test::DialogFixture {
    static void type(QDialog* dialog, const char* box, const char* text)
    {
        in<QLineEdit>(dialog, box)->setText(QString::fromUtf8(text));
    }
    static std::string shownIn(QDialog* dialog, const char* box)
    {
        return in<QLineEdit>(dialog, box)->text().toStdString();
    }
    static void chooseSet(QDialog* dialog, const char* array, int index)
    {
        click(dialog, (std::string(array) + "_" + std::to_string(index)).c_str());
    }
};

TEST_F(NameSetsTest, FilterSetsKeepTheirTypingUntilOkAndFilterThePdf)
{
    storeSettings([](engine::Settings& s) {
        s.Language = 1;
        s.FilterNameFilter[0].Contain0 = "Front";
        s.FilterNameFilter[2].NotContain0 = "Draft";
    });
    document("plan.SLDDRW",
        "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Front Draft\n[Sheet.3]\nName=Side\n");
    start();

    QDialog* dialog = openFromButton("cmdListFilterSheetNames", "frmListFilter");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(in<QRadioButton>(dialog, "optFilterName_0")->isChecked());
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkFilterActive")->isChecked());
    EXPECT_EQ(shownIn(dialog, "txtFilterContain0"), "Front");
    type(dialog, "txtFilterContain1", "Side");
    chooseSet(dialog, "optFilterName", 2);
    EXPECT_EQ(shownIn(dialog, "txtFilterContain1"), "");
    EXPECT_EQ(shownIn(dialog, "txtFilterNotContain0"), "Draft");
    type(dialog, "txtFilterContain0", "Front");
    chooseSet(dialog, "optFilterName", 0);
    EXPECT_EQ(shownIn(dialog, "txtFilterContain1"), "Side");
    chooseSet(dialog, "optFilterName", 2);
    EXPECT_EQ(shownIn(dialog, "txtFilterContain0"), "Front");
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().FilterNameFilter[0].Contain1, "");
    EXPECT_EQ(current().FilterNameFilter[2].Contain0, "");
    EXPECT_EQ(current().FilterNameIndex, 0);

    dialog = openFromMenu("mnuOptFilter", "frmListFilter");
    ASSERT_TRUE(dialog);
    in<QCheckBox>(dialog, "chkFilterActive")->setChecked(true);
    chooseSet(dialog, "optFilterName", 2);
    type(dialog, "txtFilterContain0", "Front");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().FilterNameIndex, 2);
    EXPECT_EQ(current().ActiveFilter, (engine::FilterSet { "Front", "", "Draft", "" }));
    EXPECT_TRUE(check("chkListFilterSheetNames")->isChecked());
    EXPECT_TRUE(entry("mnuOptFilterActive")->isChecked());

    trigger("mnuEditAddAll");
    trigger("mnuEditExportDocuments");
    EXPECT_EQ(calls("SetSheets"),
        (std::vector<std::string> {
            "ExportPdfData[plan.SLDDRW].SetSheets(1, {\"Front\"}) -> True" }));
}

TEST_F(NameSetsTest, PrefixSetsKeepTheirTypingUntilOkAndNameTheFiles)
{
    storeSettings([](engine::Settings& s) {
        s.Language = 1;
        s.PrePostPrefix[1] = "X_:y-:m-:d_";
        s.ThreeDSaveFormat = "step";
    });
    clock.setNow({ 2024, 3, 5, 9, 7, 0, 0 });
    document("part1.SLDPRT", "[Document]\n");
    start();

    QDialog* dialog = openFromButton("cmdPrePostEdit", "frmPrePostFilenames");
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkPrePostUseit")->isChecked());
    chooseSet(dialog, "optPrePost", 1);
    EXPECT_EQ(shownIn(dialog, "txtPrePostPrefix"), "X_:y-:m-:d_");
    type(dialog, "txtPrePostPostfix", "_:h:n");
    chooseSet(dialog, "optPrePost", 0);
    EXPECT_EQ(shownIn(dialog, "txtPrePostPostfix"), "");
    in<QCheckBox>(dialog, "chkPrePostIgnoreSWXFilename")->setChecked(true);
    chooseSet(dialog, "optPrePost", 1);
    EXPECT_EQ(shownIn(dialog, "txtPrePostPostfix"), "_:h:n");
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkPrePostIgnoreSWXFilename")->isChecked());
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().PrePostPostfix[1], "");
    EXPECT_EQ(current().PrePostIgnoreSWXFilename[0], 0);

    dialog = openFromMenu("mnuOptPrePostEdit", "frmPrePostFilenames");
    ASSERT_TRUE(dialog);
    in<QCheckBox>(dialog, "chkPrePostUseit")->setChecked(true);
    chooseSet(dialog, "optPrePost", 1);
    type(dialog, "txtPrePostPostfix", "_:h:n");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().PrePostIndex, 1);
    EXPECT_TRUE(check("chkPrePostUseit")->isChecked());
    EXPECT_TRUE(entry("mnuOptPrePostUseit")->isChecked());

    trigger("mnuEditAddAll");
    trigger("mnuEditExport3D");
    EXPECT_TRUE(std::filesystem::exists(dir.file("X_2024-03-05_part1_0907.step")));
}

} // namespace
