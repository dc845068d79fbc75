#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorrix::engine {

class FileSystem;
class PrintList;

// Print list files: one line per row, top row first, each the row's path in double quotes,
// CR LF after every line. Written as UTF-8; read as UTF-8 or, when the bytes are not valid
// UTF-8, as Windows-1252 (lists written by older tools).

// The rows of a list file's text. Fields run to a comma or a line end (CR LF, LF or CR). A
// field whose first non-blank character is a double quote ends at the next double quote,
// and the rest up to the comma or line end is skipped; a closing quote missing on the line
// ends the field at the line end, so one broken line cannot swallow the lines after it.
// Other fields lose their leading and trailing blanks. An empty line is an empty field; the
// line end after the last line opens no further field, a comma always does.
std::vector<std::string> parsePrintListText(std::string_view text);

// The file content for these rows. Nothing is escaped: Windows paths hold no double quotes
// and no line breaks. A POSIX path that does would not read back as it was.
std::string formatPrintListText(const std::vector<std::string>& rows);

enum class ListFileStatus {
    Ok,
    Missing, // the file is not there (anymore)
    Failed, // the system refused; errorNumber and errorDescription say why
};

struct ListFileResult {
    ListFileStatus status = ListFileStatus::Ok;
    long errorNumber = 0;
    std::string errorDescription;
    std::vector<std::string> rows; // the rows read; empty after writing or on failure

    bool ok() const { return status == ListFileStatus::Ok; }
    // "Error: <number>. <description>" for Failed, empty otherwise.
    std::string errorText() const;
};

ListFileResult readPrintListFile(FileSystem& files, const std::string& path);
// Creates or replaces the file as a whole.
ListFileResult writePrintListFile(
    FileSystem& files, const std::string& path, const std::vector<std::string>& rows);

struct ListFileLoad {
    ListFileResult file;
    std::vector<std::string> notAdded; // rows that did not fit into the print list
};

// Reads the file and merges its rows into the list at the current row (above it, which
// stays current) or at the end when there is none. The list is not emptied first. On a
// failure the list is unchanged.
ListFileLoad loadPrintListFile(FileSystem& files, const std::string& path, PrintList& list);

} // namespace quorrix::engine
