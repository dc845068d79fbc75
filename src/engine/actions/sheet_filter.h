#pragma once

#include <array>
#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

// True when the sheet is skipped: it holds none of the given contain parts, or one of the
// given not-contain parts (case-sensitive). The caller tests FilterActive first.
bool IsSheetFiltered(const FilterSet& activeFilter, const std::string& sheetName);
bool IsSheetFiltered(const Settings& settings, const std::string& sheetName);

// Copies set index into the active filter; an index outside 0 to 9 changes nothing.
void SelectFilterSet(Settings& settings, int index);

// The filter dialog's working copy of the ten sets.
class FilterWorkingCopy {
public:
    explicit FilterWorkingCopy(const Settings& settings);

    int current() const { return m_current; }
    const FilterSet& fields() const { return m_sets[static_cast<std::size_t>(m_current)]; }
    bool active() const { return m_active; }

    void setFields(const FilterSet& fields);
    void setActive(bool active) { m_active = active; }
    void select(int index);
    // OK: sets, index and switch into the settings, and the chosen set becomes the active
    // filter.
    void store(Settings& settings) const;

private:
    std::array<FilterSet, kFilterSets> m_sets;
    int m_current = 0;
    bool m_active = false;
};

} // namespace quorrix::engine
