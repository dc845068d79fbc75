#include <gtest/gtest.h>

#include <QRadioButton>

#include <filesystem>

#include "dialog_fixture.h"

using namespace quorrix;

namespace {

// The windows with ten sets, one of them in force: the sheet name filter and the prefix and
// postfix of file names.
struct NameSetsTest : ::testing::Test, test::DialogFixture {
    static QLineEdit* box(QDialog* dialog, const char* name) { return in<QLineEdit>(dialog, name); }
    static void chooseSet(QDialog* dialog, const char* array, int index)
    {
        click(dialog, (std::string(array) + "_" + std::to_string(index)).c_str());
    }
    // Typing into set 0 and set 2 and going back and forth shows each set's own typing.
    static void typingStaysWithItsSet(QDialog* dialog, const char* array, const char* name)
    {
        box(dialog, name)->setText("typed 0");
        chooseSet(dialog, array, 2);
        EXPECT_EQ(box(dialog, name)->text(), QString()) << array;
        box(dialog, name)->setText("typed 2");
        chooseSet(dialog, array, 0);
        EXPECT_EQ(box(dialog, name)->text(), "typed 0") << array;
        chooseSet(dialog, array, 2);
        EXPECT_EQ(box(dialog, name)->text(), "typed 2") << array;
    }
};

TEST_F(NameSetsTest, FilterSetsKeepTheirTypingUntilOkAndFilterThePdf)
{
    document("plan.SLDDRW",
        "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Front Draft\n[Sheet.3]\nName=Side\n");
    startIn([](engine::Settings& s) { s.FilterNameFilter[2].NotContain0 = "Draft"; });

    QDialog* dialog = openFromButton("cmdListFilterSheetNames", "frmListFilter");
    EXPECT_TRUE(in<QRadioButton>(dialog, "optFilterName_0")->isChecked());
    typingStaysWithItsSet(dialog, "optFilterName", "txtFilterContain1");
    EXPECT_EQ(box(dialog, "txtFilterNotContain0")->text(), "Draft");
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().FilterNameFilter[0].Contain1, "");

    dialog = openFromMenu("mnuOptFilter", "frmListFilter");
    in<QCheckBox>(dialog, "chkFilterActive")->setChecked(true);
    chooseSet(dialog, "optFilterName", 2);
    box(dialog, "txtFilterContain0")->setText("Front");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().FilterNameIndex, 2);
    EXPECT_EQ(current().ActiveFilter, (engine::FilterSet { "Front", "", "Draft", "" }));
    EXPECT_TRUE(check("chkListFilterSheetNames")->isChecked());

    run("mnuEditExportDocuments");
    EXPECT_EQ(calls("SetSheets"),
        (std::vector<std::string> {
            "ExportPdfData[plan.SLDDRW].SetSheets(1, {\"Front\"}) -> True" }));
}

TEST_F(NameSetsTest, PrefixSetsKeepTheirTypingUntilOkAndNameTheFiles)
{
    clock.setNow({ 2024, 3, 5, 9, 7, 0, 0 });
    document("part1.SLDPRT", "[Document]\n");
    startIn([](engine::Settings& s) {
        s.PrePostPrefix[1] = "X_:y-:m-:d_";
        s.ThreeDSaveFormat = "step";
    });

    QDialog* dialog = openFromButton("cmdPrePostEdit", "frmPrePostFilenames");
    typingStaysWithItsSet(dialog, "optPrePost", "txtPrePostPostfix");
    in<QCheckBox>(dialog, "chkPrePostIgnoreSWXFilename")->setChecked(true);
    chooseSet(dialog, "optPrePost", 1);
    EXPECT_EQ(box(dialog, "txtPrePostPrefix")->text(), "X_:y-:m-:d_");
    EXPECT_FALSE(in<QCheckBox>(dialog, "chkPrePostIgnoreSWXFilename")->isChecked());
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().PrePostPostfix[0], "");
    EXPECT_EQ(current().PrePostIgnoreSWXFilename[2], 0);

    dialog = openFromMenu("mnuOptPrePostEdit", "frmPrePostFilenames");
    in<QCheckBox>(dialog, "chkPrePostUseit")->setChecked(true);
    chooseSet(dialog, "optPrePost", 1);
    box(dialog, "txtPrePostPostfix")->setText("_:h:n");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().PrePostIndex, 1);
    EXPECT_TRUE(check("chkPrePostUseit")->isChecked());

    run("mnuEditExport3D");
    EXPECT_TRUE(std::filesystem::exists(dir.file("X_2024-03-05_part1_0907.step")));
}

} // namespace
