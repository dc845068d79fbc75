#include "engine/actions/sheet_filter.h"

namespace quorrix::engine {

namespace {

bool holds(const std::string& name, const std::string& part)
{
    return !part.empty() && name.find(part) != std::string::npos;
}

} // namespace

bool IsSheetFiltered(const FilterSet& activeFilter, const std::string& sheetName)
{
    const bool anyContainPart = !activeFilter.Contain0.empty() || !activeFilter.Contain1.empty();
    if (anyContainPart && !holds(sheetName, activeFilter.Contain0)
        && !holds(sheetName, activeFilter.Contain1)) {
        return true;
    }
    return holds(sheetName, activeFilter.NotContain0) || holds(sheetName, activeFilter.NotContain1);
}

bool IsSheetFiltered(const Settings& settings, const std::string& sheetName)
{
    return IsSheetFiltered(settings.ActiveFilter, sheetName);
}

void SelectFilterSet(Settings& settings, int index)
{
    if (index >= 0 && index < kFilterSets)
        settings.ActiveFilter = settings.FilterNameFilter[static_cast<std::size_t>(index)];
}

FilterWorkingCopy::FilterWorkingCopy(const Settings& settings)
    : m_sets(settings.FilterNameFilter)
    , m_current(settings.FilterNameIndex >= 0 && settings.FilterNameIndex < kFilterSets
              ? settings.FilterNameIndex
              : 0)
    , m_active(settings.FilterActive != 0)
{
}

void FilterWorkingCopy::setFields(const FilterSet& fields)
{
    m_sets[static_cast<std::size_t>(m_current)] = fields;
}

void FilterWorkingCopy::select(int index)
{
    if (index >= 0 && index < kFilterSets)
        m_current = index;
}

void FilterWorkingCopy::store(Settings& settings) const
{
    settings.FilterNameFilter = m_sets;
    settings.FilterNameIndex = static_cast<std::int16_t>(m_current);
    settings.FilterActive = m_active ? 1 : 0;
    SelectFilterSet(settings, m_current);
}

} // namespace quorrix::engine
