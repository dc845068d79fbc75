#include <gtest/gtest.h>

#include <QRadioButton>

#include <filesystem>

#include "dialog_fixture.h"

using namespace quorrix;

namespace {

struct DXFOptionsTest : ::testing::Test, test::DialogFixture {
    template <typename T> T* at(QDialog* dialog, const char* name) { return in<T>(dialog, name); }
};

TEST_F(DXFOptionsTest, OkStoresTheChoicesAndTheDxfRunUsesThem)
{
    storeSettings([](engine::Settings& s) {
        s.Language = 1;
        s.DXFSaveInDrawingFolder = 1;
        s.DXFSaveFolder = "/gone";
        s.DXFSaveFullPathName = 1;
    });
    document("pump.SLDDRW", "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Side\n");
    start();

    QDialog* dialog = openFromButton("cmdCallDXFSettings", "frmDXFOptions");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(at<QRadioButton>(dialog, "optTS_SaveAsTitleName_1")->isChecked());
    EXPECT_FALSE(at<QLineEdit>(dialog, "txtTS_SaveDirectory")->isEnabled());
    EXPECT_EQ(at<QLineEdit>(dialog, "txtTS_SaveDirectory")->text(), QStringLiteral("/gone"));
    const std::string out = dir.file("dxf-out");
    std::filesystem::create_directory(out);
    at<QCheckBox>(dialog, "chkTS_SaveInDocFolder")->click();
    EXPECT_TRUE(at<QLineEdit>(dialog, "txtTS_SaveDirectory")->isEnabled());
    dialogs().queueResult(gui::FileDialogResult { out, 0 });
    click(dialog, "cmdTS_ChooseSaveDirectory");
    EXPECT_EQ(at<QLineEdit>(dialog, "txtTS_SaveDirectory")->text().toStdString(), out);
    at<QRadioButton>(dialog, "optTS_SaveAsTitleName_2")->click();
    at<QCheckBox>(dialog, "chkSWXMultiDXF")->click();
    press(dialog, Qt::Key_Return);
    EXPECT_FALSE(openDialog("frmDXFOptions"));
    EXPECT_EQ(current().DXFSaveInDrawingFolder, 0);
    EXPECT_EQ(current().DXFSaveFolder, out);
    EXPECT_EQ(current().DXFSaveFullPathName, 2);
    EXPECT_EQ(current().DXFSWXMultiDXF, 1);
    EXPECT_TRUE(shown().empty());

    // The run writes the drawing's one file into the chosen folder, named like the document.
    trigger("mnuEditAddAll");
    trigger("mnuEditDXF");
    EXPECT_TRUE(std::filesystem::exists(out + "/pump.dxf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1);
}

} // namespace
