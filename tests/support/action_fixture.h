#pragma once

#include <string>

#include "engine/actions/action_context.h"
#include "engine/settings/language_files.h"
#include "engine/swlink/printer_lines.h"
#include "support/recording_run_view.h"
#include "support/solidworks_fixture.h"

namespace quorrix::test {

// The stand-in plus everything a document procedure is handed: the English language file
// (copied beside the test program), a recording progress window, counters and a cancel flag.
struct ActionFixture : SolidWorksFixture {
    ActionFixture()
        : view(cancelFlag)
        , language(*ports.files, view)
        , context { settings, counters, connection, view, language, clock, *ports.files, cancelFlag,
            defaultLines, pdfAddInPath }
    {
        language.IniFile(engine::LanguageFilePath(ports.programFolder, 1));
        settings.selectActiveFilter();
    }

    // The English info text, as error lines show it.
    std::string info(int number) { return language.GetInfoText(number); }

    engine::CancelFlag cancelFlag { 0 };
    RecordingRunView view;
    engine::clsMultiLanguage language;
    engine::UsageCounters counters;
    engine::PrinterLineSettings defaultLines = engine::defaultPrinterLineSettings();
    std::string pdfAddInPath;
    engine::ActionContext context;
};

} // namespace quorrix::test
