#pragma once

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>

#include <functional>
#include <memory>
#include <string>

#include "engine/platform/printer_catalog.h"
#include "engine/run/program_start.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_schema.h"
#include "gui/frm_main.h"
#include "gui/frm_progress.h"
#include "gui/quorrix_session.h"
#include "support/fakes.h"
#include "support/memory_key_value_store.h"
#include "support/solidworks_fixture.h"
#include "swsim/sim_document_manager.h"

namespace quorrix::test {

struct OnePrinter : engine::PrinterCatalog {
    std::vector<engine::InstalledPrinter> installedPrinters() override { return installed; }
    std::vector<engine::InstalledPrinter> installed { { "Office", true, {} } };
};

// The whole program over the stand-in as a user starts it: the start-up steps, the main
// window with all its commands, restored and shown in the test's folder. The program folder
// holds the shipped language files; message boxes and file dialogs are answered by the tests.
struct SessionFixture : SolidWorksFixture {
    SessionFixture()
        : programFolder(dir.file("program"))
    {
        QDir().mkpath(QString::fromStdString(programFolder));
        for (const char* file : { "QUORRIX-lng_de.ini", "QUORRIX-lng_us.ini" })
            QFile::copy(QString(QUORRIX_LANG_DIR) + "/" + file,
                QString::fromStdString(programFolder) + "/" + file);
    }

    bool tryStart()
    {
        session = std::make_unique<gui::QuorrixSession>(
            gui::SessionPorts { store, *ports.files, regional, clock, shell, sim, documentManager,
                printers, programFolder, dir.path(), true, pdfCombiner });
        session->messages().setUnattended(true);
        session->fileDialogs().setUnattended(true);
        const bool started = session->start(dir.path());
        QCoreApplication::processEvents();
        return started;
    }
    void start() { ASSERT_TRUE(tryStart()); }
    engine::PdfCombiner* pdfCombiner = nullptr; // what the runs join PDFs with

    // Settings as a save of an earlier session left them.
    void storeSettings(const std::function<void(engine::Settings&)>& change)
    {
        engine::Settings stored = engine::defaultSettings();
        change(stored);
        RecordingMessageBox quiet;
        engine::Registry(store, quiet, regional).SaveRegistrySettings(stored);
    }

    gui::frmMain& window() { return *session->window(); }
    engine::Program& program() { return session->program(); }
    engine::Settings& current() { return session->program().settings; }
    gui::MessageBoxes& messages() { return session->messages(); }
    gui::FileDialogs& dialogs() { return session->fileDialogs(); }
    std::string info(int number) { return program().language.GetInfoText(number); }
    QCheckBox* check(const char* name) { return window().control<QCheckBox>(QLatin1String(name)); }
    QAction* entry(const char* name) { return window().menuEntry(QLatin1String(name)); }
    void trigger(const char* name) { entry(name)->trigger(); }
    QString progressLabel(const char* name)
    {
        return session->progress()->findChild<QLabel*>(QLatin1String(name))->text();
    }

    std::string programFolder;
    MemoryKeyValueStore store;
    FixedRegionalFormat regional;
    RecordingShell shell;
    swsim::SimDocumentManager documentManager { *ports.files };
    OnePrinter printers;
    std::unique_ptr<gui::QuorrixSession> session;
};

} // namespace quorrix::test
