#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "engine/run/program_start.h"
#include "gui/frm_main.h"
#include "gui/file_dialogs.h"
#include "gui/frm_progress.h"
#include "gui/main_window_commands.h"
#include "gui/message_boxes.h"
#include "support/memory_key_value_store.h"
#include "support/solidworks_fixture.h"
#include "swsim/sim_document_manager.h"

using namespace quorrix;

namespace {

struct Printers : engine::PrinterCatalog {
    std::vector<engine::InstalledPrinter> installedPrinters() override
    {
        return { { "Office", true, {} } };
    }
};

// The main window over a started program that drives the stand-in.
struct MainWindowTest : ::testing::Test, test::SolidWorksFixture {
    MainWindowTest()
        : program(
            { store, *ports.files, regional, clock, messages, printers, sim, ports.programFolder })
        , progress(program.cancelFlag, program.language, store, messages, &window)
    {
        messages.setUnattended(true);
        EXPECT_TRUE(program.start());
        window.setCurrentFolder(QString::fromStdString(dir.path()));
        commands = std::make_unique<gui::MainWindowCommands>(window,
            gui::MainWindowPorts { program, store, *ports.files, clock, regional, shell, messages,
                dialogs, documentManager, dir.path(), dir.path() },
            progress);
        commands->restoreStartup();
    }

    void trigger(const char* entry) { window.menuEntry(QLatin1String(entry))->trigger(); }

    test::MemoryKeyValueStore store;
    test::FixedRegionalFormat regional;
    test::RecordingShell shell;
    gui::MessageBoxes messages;
    gui::FileDialogs dialogs;
    swsim::SimDocumentManager documentManager { *ports.files };
    Printers printers;
    engine::Program program;
    gui::frmMain window;
    gui::frmProgress progress;
    std::unique_ptr<gui::MainWindowCommands> commands;
};

TEST_F(MainWindowTest, FilesGoFromTheBrowserIntoThePrintListAndArePrinted)
{
    document("a.SLDDRW", "[Document]\n[Sheet.1]\nName=A\n[Sheet.2]\nName=B\n");
    document("b.SLDDRW", "[Document]\n[Sheet.1]\nName=C\n");
    document("notes.txt", "x");
    commands->fillFileList();
    EXPECT_EQ(window.fileList().count(), 2); // drawings and models only
    trigger("mnuEditAddAll");
    ASSERT_EQ(window.printList().count(), 2);

    trigger("mnuEditPrint");
    EXPECT_EQ(calls("PrintOut2").size(), 3u);
    EXPECT_EQ(program.counters.ProcessedSheets, 3);
    EXPECT_TRUE(window.control<QLabel>(QStringLiteral("lblProcessed"))->text().contains('3'));

    window.control<QCheckBox>(QStringLiteral("chkWorkWithActiveDrawing"))->setChecked(true);
    trigger("mnuEditPrint"); // no document is active in SolidWorks
    EXPECT_EQ(calls("PrintOut2").size(), 3u);

    window.printList().setSelected(0, true);
    trigger("mnuEditDelSelected");
    EXPECT_EQ(window.printList().count(), 1);
    trigger("mnuEditDelAll");
    EXPECT_TRUE(window.printList().isEmpty());
}

} // namespace
