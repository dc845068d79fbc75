#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "engine/platform/pdf_combiner.h"
#include "gui/frm_progress.h"
#include "gui/qt_positioned_window.h"
#include "session_fixture.h"

using namespace quorrix;

namespace {

struct SessionTest : ::testing::Test, test::SessionFixture {
    std::vector<gui::ShownMessage> shown() { return messages().shown(); }
};

// Every option kept in the settings: its control and the value the program stores for "on".
TEST_F(SessionTest, StoredOptionsComeBackAndEachControlSwitchesItsOwn)
{
    using S = engine::Settings;
    struct Row {
        const char* control;
        std::int16_t S::*setting;
        std::int16_t on;
    };
    const Row rows[] = { { "chkAuswahlNurDRW", &S::ShowOnlyDrawings, engine::kTrue },
        { "chkPrintlistReverse", &S::PrintlistReverse, engine::kTrue },
        { "chkAutoConvertViews", &S::AutoConvertViews, 1 },
        { "chkSuppressWarnings", &S::SuppressWarnings, 1 },
        { "chkListFilterSheetNames", &S::FilterActive, 1 },
        { "chkPrePostUseit", &S::PrePostUseit, 1 },
        { "mnuAlwaysOnTop", &S::AlwaysOnTop, engine::kTrue },
        { "mnuOptShutdownWhenDone", &S::ShutdownWhenDone, engine::kTrue } };
    sim.installation().versions = { "", ".30" };
    storeSettings([&rows](S& s) {
        for (const Row& row : rows)
            s.*row.setting = row.on;
        s.Language = 0;
        s.ShowOnlyModels = engine::kFalse;
        s.ShutdownEveryXXDrawingValue = 75; // written by hand: no such entry
        s.FilterNameIndex = 3;
        s.UseSolidWorksVersion = ".30";
    });
    start();

    EXPECT_EQ(window().windowTitle().toStdString(), info(1));
    EXPECT_EQ(window().control<QPushButton>("cmdPlot")->text(), "Drucken");
    EXPECT_TRUE(entry("mnuLngGerman")->isChecked());
    EXPECT_FALSE(entry("mnuLngEnglish")->isChecked());
    EXPECT_FALSE(check("chkAuswahlNurModel")->isChecked());
    EXPECT_TRUE(window().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(entry("mnuOptShutdownEvery000Drawing")->isChecked());
    EXPECT_EQ(current().ShutdownEveryXXDrawingValue, 0);
    EXPECT_EQ(check("chkListFilterSheetNames")->text(), "3");
    EXPECT_EQ(
        window().control<QLabel>("lblSwAppVersionUsed")->text(), "SWX-Version: SOLIDWORKS 2022");
    // Restoring shows no notice, but the suppressed warnings are red.
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(check("chkSuppressWarnings")->autoFillBackground());

    const auto toggle = [this](const char* control) {
        if (QCheckBox* box = check(control))
            box->click();
        else
            trigger(control);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        QCheckBox* box = check(row.control);
        EXPECT_TRUE(box ? box->isChecked() : entry(row.control)->isChecked());
        EXPECT_EQ(current().*row.setting, row.on);
        toggle(row.control);
        EXPECT_EQ(current().*row.setting, 0);
        toggle(row.control);
        EXPECT_EQ(current().*row.setting, row.on);
    }
    // Switching the warnings on, not off, tells what that means.
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_NE(shown()[0].request.text.find("\n\n"), std::string::npos);
    trigger("mnuOptShutdownEvery250Drawing");
    EXPECT_EQ(current().ShutdownEveryXXDrawingValue, 250);

    // Saved only on request.
    const auto storedValue = [this] {
        return store.read(engine::StoreRoot::CurrentUser, engine::kProgramKey, "PrintlistReverse");
    };
    const auto before = storedValue();
    ASSERT_TRUE(before.has_value());
    toggle("chkPrintlistReverse");
    EXPECT_EQ(storedValue()->data, before->data);
    trigger("mnuSaveSettings");
    EXPECT_NE(storedValue()->data, before->data);
}

TEST_F(SessionTest, WithoutPrintersEnterEndsTheProgramBeforeSolidWorksIsAsked)
{
    printers.installed.clear();
    EXPECT_FALSE(tryStart()); // unattended boxes take the default button
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].answer, engine::MessageAnswer::Cancel);
    EXPECT_EQ(session->window(), nullptr);
    EXPECT_TRUE(sim.journal().entries().empty());
}

TEST_F(SessionTest, LanguagesSwitchTheWindowAndAMissingUserFileLeavesItsTexts)
{
    start();
    auto* plot = window().control<QPushButton>("cmdPlot");
    const QString english = plot->text();
    const auto label = [this](const char* name) {
        return window().control<QLabel>(QLatin1String(name))->text();
    };
    trigger("mnuLngGerman");
    EXPECT_EQ(plot->text(), "Drucken");
    EXPECT_EQ(current().Language, 0);
    // The labels the program writes follow at once, not only after the next run.
    EXPECT_EQ(label("lblProcessed"), "Bisher bearbeitet: 0 Dokumente, 0 Blätter");
    EXPECT_EQ(label("lblSwAppVersionUsed"), "SWX-Version: standard");
    EXPECT_NE(session->program().helpFile.find("QUORRIX_de.chm"), std::string::npos);

    trigger("mnuLngUser"); // no QUORRIX-lng_user.ini
    EXPECT_EQ(current().Language, 2);
    EXPECT_EQ(window().windowTitle(), "INI file doesn't exists ");
    EXPECT_EQ(plot->text(), "Drucken");
    EXPECT_TRUE(entry("mnuLngUser")->isChecked());
    EXPECT_FALSE(entry("mnuLngGerman")->isChecked());
    EXPECT_NE(session->program().helpFile.find("QUORRIX_us.chm"), std::string::npos);

    trigger("mnuLngEnglish");
    EXPECT_EQ(plot->text(), english);
    EXPECT_EQ(label("lblProcessed"), "Processed so far: 0 documents, 0 sheets");
    EXPECT_EQ(label("lblSwAppVersionUsed"), "SWX version: standard");
}

TEST_F(SessionTest, AHelpDocumentTheDesktopCannotOpenIsReportedWithItsPath)
{
    start();
    // Without a compiled help file (none outside Windows) the help opens the read-me.
    struct Row {
        const char* entry;
        const char* document;
        std::int32_t shellAnswer;
        int reason; // info text that says why; 0: opened, nothing shown
    };
    const Row rows[] = {
        { "mnuHlpReadMe", "readme_us.txt", 31, 231 }, // no opener on the desktop
        { "mnuHelpChanges", "changes_us.txt", 2, 101 },
        { "mnuHlpContent", "readme_us.txt", 42, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entry);
        messages().clearShown();
        shell.requests.clear();
        shell.nextResult = { row.shellAnswer, 0 };
        trigger(row.entry);
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(
            QFileInfo(QString::fromStdString(shell.requests[0].file)).fileName(), row.document);
        if (row.reason == 0) {
            EXPECT_TRUE(shown().empty());
            continue;
        }
        ASSERT_EQ(shown().size(), 1u);
        const std::string text = shown()[0].request.text;
        EXPECT_NE(text.find(info(230) + "\n" + shell.requests[0].file), std::string::npos) << text;
        EXPECT_NE(text.find(info(row.reason)), std::string::npos) << text;
        EXPECT_EQ(shown()[0].request.icon, engine::MessageIcon::Critical);
    }
}

TEST_F(SessionTest, WindowOpensWhereItWasLeftAndSavesItsPlaceAndCountersOnClose)
{
    store.write(engine::StoreRoot::CurrentUser,
        std::string(engine::kProgramKey) + "\\Form Positions", "frmMain",
        engine::StoredValue::text("L=1500;T=1200;W=12000;H=9000;S=0;"));
    start();
    const gui::ScreenDpi dpi = gui::primaryScreenDpi();
    EXPECT_EQ(window().frameGeometry().left(), gui::twipsToPixels(1500, dpi.x));
    EXPECT_EQ(window().frameGeometry().width(), gui::twipsToPixels(12000, dpi.x));

    window().move(window().pos() + QPoint(30, 0));
    session->program().counters.ProcessedDrawings = 7;
    trigger("mnuQuit");
    const auto saved = store.read(engine::StoreRoot::CurrentUser,
        std::string(engine::kProgramKey) + "\\Form Positions", "frmMain");
    ASSERT_TRUE(saved.has_value());
    const std::string text = std::get<std::string>(saved->data);
    EXPECT_NE(text.find("W=12000;"), std::string::npos) << text;
    EXPECT_EQ(text.find("L=1500;"), std::string::npos) << text;
    engine::UsageCounters counters;
    test::RecordingMessageBox quiet;
    engine::Registry(store, quiet, regional).LoadProcessedCounters(counters);
    EXPECT_EQ(counters.ProcessedDrawings, 7);
}

// The window's document export joins its PDFs when its option asks for it.
TEST_F(SessionTest, TheDocumentExportCombinesThePdfsOfTheRun)
{
    struct Combiner : engine::PdfCombiner {
        void combine(const std::vector<engine::PdfPart>& given, const std::string& path) override
        {
            parts = given;
            target = path;
        }
        std::vector<engine::PdfPart> parts;
        std::string target;
    } combiner;
    pdfCombiner = &combiner;
    storeSettings([](engine::Settings& stored) {
        stored.ExpDocCombinePdf = 1;
        stored.ExpDocSaveInModelFolder = 1;
    });
    document("a.SLDDRW", "[Document]\n[Sheet.1]\nName=A\n[Sheet.2]\nName=B\n");
    document("b.SLDDRW", "[Document]\n[Sheet.1]\nName=C\n");
    start();
    trigger("mnuEditAddAll");
    trigger("mnuEditExportDocuments");
    EXPECT_EQ(combiner.target, dir.file("Combined documents.pdf"));
    ASSERT_EQ(combiner.parts.size(), 2u);
    EXPECT_EQ(combiner.parts[0].pageNames, (std::vector<std::string> { "A", "B" }));
}

TEST_F(SessionTest, CancelDuringTheThirdDocumentEndsThePlotRun)
{
    for (const char* name : { "a", "b", "c", "d", "e" })
        document(std::string(name) + ".SLDDRW",
            std::string("[Document]\n[Sheet.1]\nName=S\n")
                + (name[0] == 'c' ? "[Faults]\nSlow=OpenDoc2:1000\n" : ""));
    start();
    trigger("mnuEditAddAll");
    ASSERT_EQ(window().printList().count(), 5);

    // The window thread answers while SolidWorks opens the third document: its progress
    // window names it, and Cancel is clicked then.
    // Meanwhile the main window takes no commands and does not close.
    check("chkOpenViewOnly")->click();
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [this, &watcher] {
        if (progressLabel("lblQRXList").contains("c.SLDDRW")) {
            // Not the sheet count of the document before.
            EXPECT_TRUE(progressLabel("lblSheet").startsWith("???"))
                << progressLabel("lblSheet").toStdString();
            EXPECT_FALSE(entry("mnuEditPrint")->isEnabled());
            EXPECT_FALSE(window().control<QPushButton>("cmdDelAll")->isEnabled());
            EXPECT_FALSE(window().close());
            trigger("mnuEditDelAll");
            session->progress()->findChild<QPushButton*>("cmdCancel")->click();
            watcher.stop();
        }
    });
    watcher.start();
    window().control<QPushButton>("cmdPlot")->click();
    EXPECT_EQ(window().printList().count(), 5);
    EXPECT_TRUE(entry("mnuEditPrint")->isEnabled());
    EXPECT_FALSE(entry("mnuEditTIFF")->isEnabled()); // still view-only

    EXPECT_EQ(calls("OpenDoc2").size(), 3u);
    EXPECT_LE(calls("PrintOut2").size(), 3u);
    ASSERT_FALSE(shown().empty());
    EXPECT_NE(shown().back().request.text.find("d.SLDDRW"), std::string::npos)
        << shown().back().request.text;
    EXPECT_FALSE(session->progress()->isVisible());
}

TEST_F(SessionTest, CancelDuringACallThatDoesNotReturnEndsTheRunWithinSeconds)
{
    document("a.SLDDRW", "[Document]\n[Faults]\nHang=OpenDoc2\n");
    document("b.SLDDRW", "[Document]\n");
    start();
    trigger("mnuEditAddAll");
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [this, &watcher] {
        if (progressLabel("lblQRXList").contains("a.SLDDRW")) {
            session->progress()->findChild<QPushButton*>("cmdCancel")->click();
            watcher.stop();
        }
    });
    watcher.start();
    window().control<QPushButton>("cmdPlot")->click();

    ASSERT_FALSE(shown().empty());
    const std::string text = shown().back().request.text;
    EXPECT_NE(
        text.find("a.SLDDRW was cancelled while SolidWorks did not answer"), std::string::npos)
        << text;
    EXPECT_NE(text.find("b.SLDDRW"), std::string::npos) << text;
    EXPECT_TRUE(calls("PrintOut2").empty());
    EXPECT_FALSE(session->progress()->isVisible());
}

TEST_F(SessionTest, FilesGoFromTheBrowserIntoThePrintListAndArePrinted)
{
    document("a.SLDDRW", "[Document]\n[Sheet.1]\nName=A\n[Sheet.2]\nName=B\n");
    document("b.SLDDRW", "[Document]\n[Sheet.1]\nName=C\n");
    document("notes.txt", "x");
    start();
    EXPECT_EQ(window().fileList().count(), 2); // drawings and models only
    trigger("mnuEditAddAll");
    ASSERT_EQ(window().printList().count(), 2);

    trigger("mnuEditPrint");
    EXPECT_EQ(calls("PrintOut2").size(), 3u);
    EXPECT_EQ(session->program().counters.ProcessedSheets, 3);
    EXPECT_TRUE(window().control<QLabel>("lblProcessed")->text().contains('3'));

    check("chkWorkWithActiveDrawing")->setChecked(true);
    trigger("mnuEditPrint"); // no document is active in SolidWorks
    EXPECT_EQ(calls("PrintOut2").size(), 3u);
}

TEST_F(SessionTest, KeysRunTheListCommandsWhereverTheFocusIs)
{
    for (const char* name : { "a", "b", "c" })
        document(std::string(name) + ".SLDDRW");
    start();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    auto* list = window().findChild<QWidget*>("lstPrintliste");
    auto* files = window().findChild<QWidget*>("lstAuswahl");
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Insert, Qt::ShiftModifier); // add all
    ASSERT_EQ(window().printList().count(), 3);
    window().printList().setSelected(1, true);
    window().showPrintList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(window().printList().rows(),
        (std::vector<std::string> { dir.file("a.SLDDRW"), dir.file("c.SLDDRW") }));
    QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(window().printList().isEmpty());
}

TEST_F(SessionTest, SettingsFilesSaveAndLoadAndTheWindowShowsWhatWasLoaded)
{
    start();
    const std::string file = dir.file("office.qrxcfg");
    check("chkPrePostUseit")->click();
    session->fileDialogs().queueResult(std::nullopt); // cancelled: nothing written
    trigger("mnuSaveSettingsFile");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    session->fileDialogs().queueResult(gui::FileDialogResult { dir.file("office"), 1 });
    trigger("mnuSaveSettingsFile");
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
    EXPECT_EQ(session->fileDialogs().requests().back().filter,
        session->program().language.GetInfoText(17));

    check("chkPrePostUseit")->click();
    current().RunMacroIndex = 4;
    session->fileDialogs().queueResult(gui::FileDialogResult { file, 1 });
    trigger("mnuLoadSettingsFile");
    EXPECT_TRUE(check("chkPrePostUseit")->isChecked());
    EXPECT_EQ(current().PrePostUseit, 1);
    EXPECT_TRUE(window().control<QPushButton>("cmdRunMacro")->text().endsWith("(0)"));
    EXPECT_TRUE(shown().empty());
}

} // namespace
