// The stand-in's configuration: whatever swsim.ini holds, the installation it describes
// has usable files, versions and preferences, and reading it never ends the program.

#include "fuzz/fuzz_check.h"
#include "swsim/model/installation.h"
#include "swsim/model/value_text.h"

using namespace quorrix;

namespace {

constexpr const char* kConfigPath = "/home/user/.config/QUORRIX/swsim.ini";
constexpr const char* kDefaultSpool = "/home/user/.local/share/QUORRIX/spool.jsonl";

} // namespace

FUZZ_TARGET(bytes)
{
    fuzz::MemoryFileSystem files;
    files.files[kConfigPath] = bytes;
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
    fuzz::checkPreferences(installation.preferences);
    for (const std::string& key : installation.refusedPreferences)
        FUZZ_CHECK(swsim::refusedPreferenceKey(key) == key);
    FUZZ_CHECK(installation.crashAfterOpens >= -1);
    for (const auto& [member, milliseconds] : installation.delayMilliseconds)
        FUZZ_CHECK(fuzz::isCleanText(member) && milliseconds >= 0);
}
