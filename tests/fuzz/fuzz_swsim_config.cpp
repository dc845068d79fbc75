// The stand-in's configuration: whatever swsim.ini holds, the installation it describes
// has usable files, versions and preferences, and reading it never ends the program.

#include <cmath>

#include "fuzz/fuzz_check.h"
#include "swsim/model/installation.h"
#include "swsim/model/value_text.h"

using namespace quorrix;

namespace {

constexpr const char* kConfigPath = "/home/user/.config/QUORRIX/swsim.ini";
constexpr const char* kDefaultSpool = "/home/user/.local/share/QUORRIX/spool.jsonl";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::MemoryFileSystem files;
    files.files[kConfigPath] = std::string(reinterpret_cast<const char*>(data), size);
    const swsim::Installation installation
        = swsim::loadInstallation(files, kConfigPath, kDefaultSpool);
    FUZZ_CHECK(swsim::loadInstallation(files, kConfigPath, kDefaultSpool) == installation);

    // A path with a NUL or a line break would name another file than the one written.
    FUZZ_CHECK(!installation.spoolPath.empty() && fuzz::isCleanText(installation.spoolPath));
    FUZZ_CHECK(fuzz::isCleanText(installation.journalPath));
    FUZZ_CHECK(!installation.revision.empty() && fuzz::isCleanText(installation.revision));
    FUZZ_CHECK(fuzz::isCleanText(installation.activePrinter));
    for (const std::string& version : installation.versions)
        FUZZ_CHECK(fuzz::isCleanText(version) && (version.empty() || version.front() == '.'));
    for (const auto& [id, value] : installation.preferences.doubles)
        FUZZ_CHECK(std::isfinite(value));
    for (const auto& [id, text] : installation.preferences.stringLists)
        FUZZ_CHECK(fuzz::isCleanText(text));
    for (const std::string& key : installation.refusedPreferences)
        FUZZ_CHECK(swsim::refusedPreferenceKey(key) == key);
    FUZZ_CHECK(installation.crashAfterOpens >= -1);
    for (const auto& [member, milliseconds] : installation.delayMilliseconds)
        FUZZ_CHECK(fuzz::isCleanText(member) && milliseconds >= 0);
    return 0;
}
