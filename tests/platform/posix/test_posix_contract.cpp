// The ports' contract (platform/port_contract.h) for the POSIX ports.

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_key_value_store.h"
#include "platform/posix/posix_regional_format.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

struct PlatformStore {
    test::TempDir dir;
    const std::string key = "SOFTWARE\\Velmora\\QUORRIX";
    PosixKeyValueStore store { dir.path() };
    std::unique_ptr<engine::KeyValueStore> reopen()
    {
        return std::make_unique<PosixKeyValueStore>(dir.path());
    }
};

struct PlatformFiles {
    PosixFileSystem files;
    const bool writesReadOnlyFiles = ::geteuid() == 0;
    void setReadOnly(const std::string& path, bool on) { ::chmod(path.c_str(), on ? 0444 : 0644); }
    std::vector<std::string> writeUnlisted(const test::TempDir& dir)
    {
        test::writeFileBytes(dir.file(".hidden.slddrw"), "x");
        return { dir.file(".hidden.slddrw") };
    }
};

struct PlatformRegional {
    PosixRegionalFormat regional { "C.UTF-8" };
};

} // namespace
} // namespace quorrix::platform

#include "platform/port_contract.h"
