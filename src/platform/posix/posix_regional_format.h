#pragma once

#include <locale.h>

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
    bool usesFallback() const { return m_fallback; }

private:
    locale_t m_locale = nullptr;
    bool m_fallback = false;
};

} // namespace quorrix::platform
