#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/platform/file_system.h"

namespace quorrix::engine {

struct ActionContext;

// One output file of a save, looked at before and after it. SolidWorks sometimes answers
// success for a file it never wrote (a translator that gave up, a network folder that
// dropped the write), and a file left there by an earlier run would then pass for this
// save's work, so the file has to be there, not empty, and not the one that was there
// before.
class OutputCheck {
public:
    // Right before the save.
    OutputCheck(ActionContext& context, std::string path);

    const std::string& path() const { return m_path; }

    // Right after a save SolidWorks reported as done: true when the save wrote the file.
    // When another document of the run wrote the same file before, one line naming both
    // goes to errorText (the file still counts as written).
    bool written(std::string& errorText, const std::string& fileName) const;

private:
    ActionContext& m_context;
    std::string m_path;
    std::optional<FileStamp> m_before;
};

// The outcome of an extended save (the model extension's SaveAs, SaveAs4): a refused save
// appends SolidWorks' error and warning numbers with the eDrawings Professional hint and a
// second line with info text 118; a save reported as done that did not write its file
// appends the error line 118.
void reportExtendedSave(ActionContext& context, bool saved, std::int32_t errors,
    std::int32_t warnings, const OutputCheck& output, std::string& errorText,
    const std::string& fileName);

} // namespace quorrix::engine
