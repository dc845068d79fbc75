#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolBar>

#include <filesystem>

#include "dialog_fixture.h"

using namespace quorrix;

namespace {

struct RunSetupTest : ::testing::Test, test::DialogFixture {
    template <typename T> T* at(QDialog* dialog, const char* name) { return in<T>(dialog, name); }
    void type(QDialog* dialog, const char* box, const std::string& text)
    {
        at<QLineEdit>(dialog, box)->setText(QString::fromStdString(text));
    }
    std::string text(QDialog* dialog, const char* box)
    {
        return at<QLineEdit>(dialog, box)->text().toStdString();
    }
    void choose(QDialog* dialog, const char* combo, const char* entry)
    {
        auto* box = at<QComboBox>(dialog, combo);
        const int index = box->findText(QLatin1String(entry));
        ASSERT_GE(index, 0) << entry;
        box->setCurrentIndex(index);
    }
};

TEST_F(RunSetupTest, MacroSlotsKeepTheirEditsAndTheChosenSlotRunsOnEveryDocument)
{
    const std::string macro = document("stamp.swp", "macro");
    document("a.SLDDRW", "[Document]\n[Sheet.1]\nName=A\n");
    startIn([](engine::Settings& s) { s.RunMacroFilePathName[5] = "/old/five.swp"; });

    QDialog* dialog = openFromButton("cmdCallRunMacroSettings", "frmRunMacroSettings");
    EXPECT_TRUE(at<QRadioButton>(dialog, "optRunMacro_0")->isChecked());
    at<QRadioButton>(dialog, "optRunMacro_3")->click();
    dialogs().queueResult(gui::FileDialogResult { macro, 1 });
    click(dialog, "cmdRunMacroGetMacro");
    EXPECT_EQ(dialogs().requests().back().title, info(32));
    EXPECT_EQ(dialogs().requests().back().filter, info(33));
    EXPECT_EQ(text(dialog, "txtRunMacroPath"), macro);
    type(dialog, "txtRunMacroModule", "Stamp1");
    type(dialog, "txtRunMacroProcedure", "main");
    // Another slot shows its own texts, and coming back shows what was typed.
    at<QRadioButton>(dialog, "optRunMacro_5")->click();
    EXPECT_EQ(text(dialog, "txtRunMacroPath"), "/old/five.swp");
    at<QRadioButton>(dialog, "optRunMacro_3")->click();
    EXPECT_EQ(text(dialog, "txtRunMacroModule"), "Stamp1");
    press(dialog, Qt::Key_Escape);
    EXPECT_EQ(current().RunMacroIndex, 0);
    EXPECT_EQ(current().RunMacroFilePathName[3], "");

    dialog = openFromToolbar("RunMacroSettings", "frmRunMacroSettings");
    at<QRadioButton>(dialog, "optRunMacro_3")->click();
    type(dialog, "txtRunMacroPath", macro);
    type(dialog, "txtRunMacroModule", "Stamp1");
    type(dialog, "txtRunMacroProcedure", "main");
    press(dialog, Qt::Key_Return);
    EXPECT_EQ(current().RunMacroIndex, 3);
    EXPECT_EQ(current().RunMacroProcedureName[3], "main");
    EXPECT_EQ(current().RunMacroFilePathName[5], "/old/five.swp");
    EXPECT_TRUE(window().control<QPushButton>("cmdRunMacro")->text().contains('3'));

    run("mnuEditRunMacro");
    const auto runs = calls("RunMacro");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NE(runs[0].find("Stamp1"), std::string::npos);
    EXPECT_NE(runs[0].find("stamp.swp"), std::string::npos);
}

TEST_F(RunSetupTest, AMultiJobBuiltInTheWindowRunsOverTheListAndLeavesTheSettings)
{
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    document("a.SLDDRW", "[Document]\n[Sheet.1]\nName=A\n[Sheet.2]\nName=B\n");
    document("b.SLDDRW", "[Document]\n[Sheet.1]\nName=C\n");
    const std::string list = document(
        "pump.qrx", "\"" + dir.file("a.SLDDRW") + "\"\r\n\"" + dir.file("b.SLDDRW") + "\"\r\n");
    shell.tempFolder = dir.path() + "/";
    startIn([&out](engine::Settings& s) {
        s.TiffSaveInDrawingFolder = 0;
        s.TiffSaveFolder = out;
        s.MultiJobPreTypeParam[1] = "stale";
    });
    const engine::Settings before = current();

    QDialog* dialog = openFromMenu("mnuMultiJobSettings", "frmMultijobSettings");
    EXPECT_TRUE(at<QLineEdit>(dialog, "txtMJPreJobAction_1")->isHidden());
    // Choosing a pre-job that takes a file shows an empty box and its browse button.
    choose(dialog, "cmbMJPreJobAction_1", "LoadQRXList");
    EXPECT_FALSE(at<QLineEdit>(dialog, "txtMJPreJobAction_1")->isHidden());
    EXPECT_EQ(text(dialog, "txtMJPreJobAction_1"), "");
    EXPECT_EQ(at<QLabel>(dialog, "lblMJPreJobMissing")->text().toStdString(), info(190));
    dialogs().queueResult(gui::FileDialogResult { list, 1 });
    click(dialog, "cmdMJGetLoadSettings_1");
    EXPECT_EQ(dialogs().requests().back().title, info(13));
    EXPECT_EQ(text(dialog, "txtMJPreJobAction_1"), list);
    EXPECT_TRUE(at<QLabel>(dialog, "lblMJPreJobMissing")->isHidden());
    choose(dialog, "cmbMJJobType_0", "Plot");
    choose(dialog, "cmbMJJobType_1", "Use Filter 3");
    choose(dialog, "cmbMJJobType_2", "TIFF");
    press(dialog, Qt::Key_Return);

    // The steps as stored: the list loaded, plotted and converted.
    trigger("mnuMultiJobExecute");
    EXPECT_EQ(window().printList().count(), 2);
    EXPECT_EQ(calls("PrintOut2").size(), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 3); // a TIFF per sheet
    EXPECT_TRUE(entry("mnuMultiJobExecute")->isEnabled());
    EXPECT_EQ(current().FilterActive, before.FilterActive);

    // Cancel leaves the steps as they were.
    dialog = openFromMenu("mnuMultiJobSettings", "frmMultijobSettings");
    choose(dialog, "cmbMJJobType_2", "-");
    click(dialog, "cmdCancel");
    EXPECT_EQ(current().MultiJobAction[2], "TIFF");
}

TEST_F(RunSetupTest, TheVersionListShowsTheRegisteredVersionsAndOkTakesEffectAtTheNextConnect)
{
    struct Case {
        std::vector<std::string> registered;
        bool installed;
        std::vector<QString> listed;
        int selected; // the current version where it is registered, else the first
        int chosen;
        const char* suffixAfterOk;
        int timeLimit; // typed into the field; kept with or without a version to choose
    };
    const Case cases[] = { { { "", ".30", ".31" }, true,
                               { "standard", "SOLIDWORKS 2022", "SOLIDWORKS 2023" }, 1, 2, ".31",
                               0 },
        // Nothing to choose: OK keeps the version chosen before.
        { {}, false, {}, -1, -1, ".31", 45 }, { { "" }, true, { "standard" }, 0, 0, "", 1200 } };
    startIn([](engine::Settings& s) { s.UseSolidWorksVersion = ".30"; });
    int shownLimit = 600;
    for (const Case& c : cases) {
        sim.installation().versions = c.registered;
        sim.installation().installed = c.installed;
        QDialog* dialog = openFromMenu("mnuOptSwAppVersion", "frmSwAppVersionOptions");
        auto* combo = at<QComboBox>(dialog, "cmbSwAppVersion");
        std::vector<QString> listed;
        for (int i = 0; i < combo->count(); ++i)
            listed.push_back(combo->itemText(i));
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(combo->currentIndex(), c.selected);
        EXPECT_EQ(at<QLabel>(dialog, "lblSwAppVersionNone")->isHidden(), !c.listed.empty());
        combo->setCurrentIndex(c.chosen);
        auto* limit = at<QSpinBox>(dialog, "txtDocumentTimeLimit");
        EXPECT_EQ(limit->value(), shownLimit);
        limit->setValue(c.timeLimit);
        press(dialog, Qt::Key_Return);
        EXPECT_EQ(current().UseSolidWorksVersion, c.suffixAfterOk);
        EXPECT_EQ(current().DocumentTimeLimit, c.timeLimit);
        shownLimit = c.timeLimit;
    }
    EXPECT_EQ(window().control<QLabel>("lblSwAppVersionUsed")->text(), "SWX version: standard");
}

TEST_F(RunSetupTest, TheAboutBoxNamesTheVersionTheStandInAndWhereThingsAreKept)
{
    startIn();
    QDialog* dialog = openFromMenu("mnuHelpAbout", "frmAbout");
    EXPECT_EQ(dialog->windowTitle().toStdString(), info(61));
    EXPECT_TRUE(
        at<QLabel>(dialog, "lblVersion")->text().endsWith(QStringLiteral(QUORRIX_TEST_VERSION)));
    const QString solidWorks = at<QLabel>(dialog, "lblValueSolidWorks")->text();
    EXPECT_TRUE(solidWorks.contains(QString::fromStdString(info(193)))) << solidWorks.toStdString();
    EXPECT_TRUE(at<QLabel>(dialog, "lblValueSettings")->text().contains("QUORRIX"));
    EXPECT_EQ(at<QLabel>(dialog, "lblValueProcessLog")->text().toStdString(), programFolder);
    press(dialog, Qt::Key_Escape);
    EXPECT_FALSE(openDialog("frmAbout"));
}

// Every command of the menus and the toolbar does its work or opens its window: none
// answers with a message that names no text of the language file.
TEST_F(RunSetupTest, NoCommandEndsInAPlaceholder)
{
    startIn();
    std::vector<QAction*> commands;
    for (QAction* action : window().findChildren<QAction*>())
        if (!action->menu() && !action->isSeparator() && !action->objectName().isEmpty()
            && action->objectName() != QLatin1String("mnuQuit"))
            commands.push_back(action);
    const auto buttons = window().findChild<QToolBar*>("tbarMenu")->actions();
    commands.insert(commands.end(), buttons.begin(), buttons.end());
    int windows = 0;
    for (QAction* command : commands) {
        messages().clearShown();
        command->trigger();
        QCoreApplication::processEvents();
        for (QDialog* dialog : window().findChildren<QDialog*>())
            if (dialog->isVisible()) {
                ++windows;
                dialog->reject();
            }
        QCoreApplication::processEvents();
        for (const gui::ShownMessage& message : shown())
            EXPECT_EQ(message.request.text.find("unknown infotext"), std::string::npos)
                << command->objectName().toStdString() << ": " << message.request.text;
    }
    EXPECT_GE(windows, 12 + 10); // the twelve windows by menu, ten of them by toolbar key too
}

} // namespace
