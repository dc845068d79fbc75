// The ports' contract (platform/port_contract.h) for the Windows ports.

#include <memory>

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/test_registry_key.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_value_store.h"
#include "platform/win32/win32_regional_format.h"
#include "platform/win32/win32_text.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

struct PlatformStore {
    test::TestRegistryKey registryKey;
    const std::string& key = registryKey.path();
    Win32KeyValueStore store;
    std::unique_ptr<engine::KeyValueStore> reopen()
    {
        return std::make_unique<Win32KeyValueStore>();
    }
};

void addAttributes(const std::string& path, DWORD attributes)
{
    const std::wstring wide = utf16FromUtf8(path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | attributes));
}

struct PlatformFiles {
    Win32FileSystem files;
    const bool writesReadOnlyFiles = false;
    void setReadOnly(const std::string& path, bool on)
    {
        SetFileAttributesW(
            utf16FromUtf8(path).c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    }
    std::vector<std::string> writeUnlisted(const test::TempDir& dir)
    {
        test::writeFileBytes(dir.file("hidden.txt"), "x");
        test::writeFileBytes(dir.file("system.txt"), "x");
        addAttributes(dir.file("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
        addAttributes(dir.file("system.txt"), FILE_ATTRIBUTE_SYSTEM);
        // Some file systems under Wine keep no DOS attributes.
        if (!(GetFileAttributesW(utf16FromUtf8(dir.file("hidden.txt")).c_str())
                & FILE_ATTRIBUTE_HIDDEN))
            return {};
        return { dir.file("hidden.txt"), dir.file("system.txt") };
    }
};

struct PlatformRegional {
    Win32RegionalFormat regional;
};

} // namespace
} // namespace quorrix::platform

#include "platform/port_contract.h"
