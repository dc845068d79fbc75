// Settings files: whatever a settings file holds, the settings read from it, saved into it
// or into a new file and read again, are the same settings.

#include "engine/settings/multi_language.h"
#include "engine/settings/settings_file.h"
#include "engine/settings/settings_schema.h"
#include "fuzz/fuzz_check.h"
#include "support/fakes.h"

using namespace quorrix;

namespace {

constexpr const char* kPath = "/cfg/job.qrxcfg";
constexpr const char* kNewPath = "/cfg/new.qrxcfg";

std::vector<std::string> settingTexts(const engine::Settings& settings)
{
    std::vector<std::string> texts;
    for (const engine::SettingDefinition& definition : engine::settingsSchema()) {
        texts.push_back(engine::settingText(definition, settings, '.'));
        if (definition.type == engine::FieldType::String)
            FUZZ_CHECK(fuzz::isCleanText(texts.back()));
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::MemoryFileSystem files;
    files.files[kPath] = std::string(reinterpret_cast<const char*>(data), size);
    test::RecordingMessageBox messages;
    const test::FixedRegionalFormat regional(size % 2 == 0 ? '.' : ',');
    engine::clsMultiLanguage texts(files, messages);
    engine::SettingsFiles settingsFiles(texts, messages, regional);

    engine::Settings first = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kPath, false, first);
    const std::vector<std::string> read = settingTexts(first);

    // Saved into the file it came from: the other lines stay, the keys take the values read.
    FUZZ_CHECK(settingsFiles.SaveSettingsFile(kPath, first));
    engine::Settings again = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kPath, false, again);
    FUZZ_CHECK(settingTexts(again) == read);

    // Saved as a new file: the same settings, started from others.
    FUZZ_CHECK(settingsFiles.SaveNewSettingsFile(kNewPath, first, engine::LocalDateTime {}));
    engine::Settings fresh = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kNewPath, false, fresh);
    FUZZ_CHECK(settingTexts(fresh) == read);
    FUZZ_CHECK(messages.shown.empty());
    return 0;
}
