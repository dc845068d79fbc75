#pragma once

#include <cstdint>
#include <string>

namespace quorrix::engine {

struct ActionContext;
class FileSystem;

// True when a save that SolidWorks reported as successful left a non-empty file at path.
// SolidWorks sometimes answers success for a file it never wrote (a translator that gave
// up, a network folder that dropped the write), so every save is checked on disk.
bool outputWritten(FileSystem& files, const std::string& path);

// The outcome of an extended save (the model extension's SaveAs, SaveAs4): a refused save
// appends SolidWorks' error and warning numbers with the eDrawings Professional hint and a
// second line with info text 118; a save reported as done that left no file appends the
// error line 118.
void reportExtendedSave(ActionContext& context, bool saved, std::int32_t errors,
    std::int32_t warnings, const std::string& path, std::string& errorText,
    const std::string& fileName);

} // namespace quorrix::engine
