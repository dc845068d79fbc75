#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

// The file-open dialog of the browse button: title and filter info texts.
inline constexpr std::int32_t kInfoMacroBrowseTitle = 32;
inline constexpr std::int32_t kInfoMacroBrowseFilter = 33;

// The three texts of one macro slot.
struct MacroSlot {
    std::string path;
    std::string module;
    std::string procedure;
    bool operator==(const MacroSlot&) const = default;
};

// The working copy of frmRunMacroSettings: the ten slots and the current one. The dialog
// hands the shown texts back with setSlot before it switches slots or stores.
class MacroSlotsWorkingCopy {
public:
    explicit MacroSlotsWorkingCopy(const Settings& settings);

    int current() const { return m_current; }
    const MacroSlot& slot() const { return m_slots[static_cast<std::size_t>(m_current)]; }

    // The three text boxes into the current slot.
    void setSlot(const MacroSlot& texts);
    // An option button: its slot becomes current; an index outside 0 to 9 changes nothing.
    void select(int index);
    // OK: all slots into the settings, and the current slot becomes RunMacroIndex.
    void store(Settings& settings) const;

private:
    std::array<MacroSlot, kMacroSlots> m_slots;
    int m_current = 0;
};

} // namespace quorrix::engine
