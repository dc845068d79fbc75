#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

// One pre-job row of frmMultijobSettings: the combo's text and the text box.
struct PreJobRow {
    std::string type;
    std::string parameter;
    bool operator==(const PreJobRow&) const = default;
};

// Title and filter info texts of a pre-job row's file-open dialog.
struct PreJobBrowseTexts {
    std::int32_t title = 0;
    std::int32_t filter = 0;
};

// True for the pre-jobs that name a file: their row shows the text box and browse button.
bool preJobTakesFile(const std::string& type);
// The browse dialog's texts for a pre-job that takes a file; nothing otherwise.
std::optional<PreJobBrowseTexts> preJobBrowseTexts(const std::string& type);

// The working copy of frmMultijobSettings: three pre-job rows and ten job steps.
class MultiJobWorkingCopy {
public:
    explicit MultiJobWorkingCopy(const Settings& settings);

    const PreJobRow& preJob(int row) const { return m_preJobs[static_cast<std::size_t>(row)]; }
    const std::string& step(int slot) const { return m_steps[static_cast<std::size_t>(slot)]; }
    bool parameterVisible(int row) const { return preJobTakesFile(preJob(row).type); }

    // The user picks a pre-job in a row's combo; picking one that takes a file empties the
    // row's text box, so a path meant for the other kind of file is not taken over.
    void choosePreJob(int row, const std::string& type);
    void setParameter(int row, const std::string& text);
    void setStep(int slot, const std::string& text);
    // OK: the three rows and the ten steps into the settings.
    void store(Settings& settings) const;

private:
    std::array<PreJobRow, kPreJobSlots> m_preJobs;
    std::array<std::string, kJobSlots> m_steps;
};

} // namespace quorrix::engine
