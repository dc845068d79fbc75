// Settings files: whatever a settings file holds, the settings read from it, saved into it
// or into a new file and read again, are the same settings.

#include "engine/settings/multi_language.h"
#include "engine/settings/settings_file.h"
#include "fuzz/fuzz_check.h"
#include "support/fakes.h"

using namespace quorrix;

namespace {

constexpr const char* kPath = "/cfg/job.qrxcfg";
constexpr const char* kNewPath = "/cfg/new.qrxcfg";

} // namespace

FUZZ_TARGET(bytes)
{
    fuzz::MemoryFileSystem files;
    files.files[kPath] = bytes;
    test::RecordingMessageBox messages;
    const test::FixedRegionalFormat regional(bytes.size() % 2 == 0 ? '.' : ',');
    engine::clsMultiLanguage texts(files, messages);
    engine::SettingsFiles settingsFiles(texts, messages, regional);

    engine::Settings first = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kPath, false, first);
    const std::vector<std::string> read = fuzz::settingTexts(first, true);

    // Saved into the file it came from: the other lines stay, the keys take the values read.
    FUZZ_CHECK(settingsFiles.SaveSettingsFile(kPath, first));
    engine::Settings again = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kPath, false, again);
    FUZZ_CHECK(fuzz::settingTexts(again, true) == read);

    // Saved as a new file: the same settings, started from others.
    FUZZ_CHECK(settingsFiles.SaveNewSettingsFile(kNewPath, first, engine::LocalDateTime {}));
    engine::Settings fresh = engine::defaultSettings();
    settingsFiles.LoadSettingsFile(kNewPath, false, fresh);
    FUZZ_CHECK(fuzz::settingTexts(fresh, true) == read);
    FUZZ_CHECK(messages.shown.empty());
}
