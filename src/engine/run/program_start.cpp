#include "engine/run/program_start.h"

#include "engine/actions/export_document.h"
#include "engine/platform/message_box_port.h"
#include "engine/settings/language_files.h"
#include "engine/settings/settings_schema.h"

namespace quorrix::engine {

namespace {

constexpr std::int16_t kEnglish = 1;
constexpr std::int32_t kNoPrinterInfo = 114;

} // namespace

std::string noSolidWorksQuestion()
{
    return "No SolidWorks found. QUORRIX only automates SolidWorks and can't print or convert "
           "SolidWorks files on its own.\r\nWould you like to run QUORRIX anyway?";
}

Program::Program(const ProgramPorts& ports)
    : settings(defaultSettings())
    , language(ports.files, ports.messages)
    , registry(ports.store, ports.messages, ports.regional)
    , defaultLines(defaultPrinterLineSettings())
    , connection(ports.connector, ports.clock, settings)
    , m_ports(ports)
{
}

bool Program::start()
{
    settings.Language = kEnglish;
    helpFile = HelpFilePath(m_ports.programFolder, settings.Language);
    language.IniFile(LanguageFilePath(m_ports.programFolder, settings.Language));

    counters = {};
    registry.LoadProcessedCounters(counters);

    const std::int16_t chosenLanguage = settings.Language;
    settings = defaultSettings();
    settings.Language = chosenLanguage;
    printers = m_ports.printerCatalog.installedPrinters();
    if (printers.empty()
        && m_ports.messages.showWithDefault(language.GetInfoText(kNoPrinterInfo),
               language.GetInfoText(4), MessageIcon::Exclamation, MessageButtons::OkCancel,
               MessageAnswer::Cancel)
            != MessageAnswer::Ok) {
        return false;
    }

    pdfAddInPath = FindBluebeamAddIn(m_ports.store);
    registry.LoadRegistrySettings(settings);
    settings.selectActiveFilter();

    solidWorksReached = connection.ConnectSolidWorks();
    if (!solidWorksReached
        && m_ports.messages.show(noSolidWorksQuestion(), kNoSolidWorksTitle,
               MessageIcon::Information, MessageButtons::OkCancel)
            != MessageAnswer::Ok) {
        return false;
    }
    return true;
}

} // namespace quorrix::engine
