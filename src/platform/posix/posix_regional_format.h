#pragma once

#include <locale.h>

#include <array>
#include <string>

#include "engine/platform/regional_format.h"

namespace quorrix::platform {

// The regional settings of the environment (LC_ALL, LC_NUMERIC, LC_COLLATE, LANG), read
// without touching the process-wide locale. A name that cannot be loaded falls back to "C".
class PosixRegionalFormat : public engine::RegionalFormat {
public:
    PosixRegionalFormat();
    // For a named locale, e.g. "de_DE.UTF-8"; falls back to "C" when it is not installed.
    explicit PosixRegionalFormat(const std::string& localeName);
    ~PosixRegionalFormat() override;
    PosixRegionalFormat(const PosixRegionalFormat&) = delete;
    PosixRegionalFormat& operator=(const PosixRegionalFormat&) = delete;

    char decimalSeparator() const override;
    int compareText(const std::string& a, const std::string& b) const override;
    std::string sortKey(const std::string& text) const override;
    bool usesFallback() const { return m_fallback; }

private:
    // Lower case as the locale writes it; ASCII comes from a table filled once.
    void foldCase(std::wstring& text) const;

    locale_t m_locale = nullptr;
    std::array<wchar_t, 128> m_lowerAscii {};
    bool m_fallback = false;
};

} // namespace quorrix::platform
