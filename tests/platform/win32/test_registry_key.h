#pragma once

#include <random>
#include <string>

#include <windows.h>

namespace quorrix::test {

// A registry key of its own under HKEY_CURRENT_USER for one test, removed afterwards with
// the raw API so that cleaning up does not depend on the code under test.
class TestRegistryKey {
public:
    TestRegistryKey()
    {
        std::random_device random;
        m_path = "SOFTWARE\\Velmora\\QUORRIX-test-" + std::to_string(random())
            + std::to_string(GetCurrentProcessId());
        m_wide.assign(m_path.begin(), m_path.end());
    }
    ~TestRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, m_wide.c_str()); }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::string& path() const { return m_path; }
    const std::wstring& widePath() const { return m_wide; }

private:
    std::string m_path;
    std::wstring m_wide;
};

} // namespace quorrix::test
