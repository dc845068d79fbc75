#include "engine/run/macro_dialog.h"

namespace quorrix::engine {

MacroSlotsWorkingCopy::MacroSlotsWorkingCopy(const Settings& settings)
    // A stored index outside the ten slots shows slot 0 rather than nothing.
    : m_current(settings.RunMacroIndex >= 0 && settings.RunMacroIndex < kMacroSlots
            ? settings.RunMacroIndex
            : 0)
{
    for (std::size_t n = 0; n < m_slots.size(); ++n) {
        m_slots[n] = { settings.RunMacroFilePathName[n], settings.RunMacroModuleName[n],
            settings.RunMacroProcedureName[n] };
    }
}

void MacroSlotsWorkingCopy::setSlot(const MacroSlot& texts)
{
    m_slots[static_cast<std::size_t>(m_current)] = texts;
}

void MacroSlotsWorkingCopy::select(int index)
{
    if (index >= 0 && index < kMacroSlots)
        m_current = index;
}

void MacroSlotsWorkingCopy::store(Settings& settings) const
{
    for (std::size_t n = 0; n < m_slots.size(); ++n) {
        settings.RunMacroFilePathName[n] = m_slots[n].path;
        settings.RunMacroModuleName[n] = m_slots[n].module;
        settings.RunMacroProcedureName[n] = m_slots[n].procedure;
    }
    settings.RunMacroIndex = m_current;
}

} // namespace quorrix::engine
