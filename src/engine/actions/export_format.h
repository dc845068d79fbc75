#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace quorrix::engine {

// One row of an export dialog's format list: what the list shows and the extension that
// is stored and used for the file.
struct ExportFormat {
    const char* description;
    const char* extension;
};

// The row whose extension equals the stored one (case-sensitive), or -1: a stored
// extension outside the table selects no row but is still used for the export.
inline int formatIndex(std::span<const ExportFormat> formats, const std::string& extension)
{
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (extension == formats[i].extension)
            return static_cast<int>(i);
    }
    return -1;
}

// The extension an export dialog stores on OK: that of the chosen row, or the stored one
// when no row is chosen, so that an extension the list does not know survives the dialog.
inline std::string chosenExtension(
    std::span<const ExportFormat> formats, int row, const std::string& stored)
{
    if (row < 0 || static_cast<std::size_t>(row) >= formats.size())
        return stored;
    return formats[static_cast<std::size_t>(row)].extension;
}

} // namespace quorrix::engine
