#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/text_encoding.h"

namespace quorrix::engine {

class FileSystem;
class PrintList;

// Print list files: one line per row, top row first, each the row's path in double quotes,
// CR LF after every line. Written as UTF-8; each line is read as UTF-8 or, when its bytes are
// not valid UTF-8, as Windows-1252 (lists written by older tools).

// The rows of one line of a list file. Fields run to a comma or the line end. A field whose
// first non-blank character is a double quote ends at the next double quote, and the rest
// up to the comma is skipped; a closing quote missing on the line ends the field at the
// line end. Other fields lose their leading and trailing blanks. An empty line is an empty
// field; a comma always opens a further field.
std::vector<std::string> parsePrintListLine(std::string_view line);

// A line of a list file that gives no rows: it holds bytes no path can hold (a NUL, another
// control character) or cannot be decoded. bytes are the line as the file holds it, so it
// can be written back unchanged.
struct UnusableListLine {
    std::size_t number = 0;
    std::string bytes;
    LineFault fault = LineFault::None;
    bool operator==(const UnusableListLine&) const = default;
};

struct PrintListContent {
    std::vector<std::string> rows;
    std::vector<UnusableListLine> unusable;
};

// The rows of a list file's bytes, line by line; the line end after the last line opens no
// further row.
PrintListContent parsePrintListBytes(std::string_view bytes);
// The rows of the usable lines only.
std::vector<std::string> parsePrintListText(std::string_view text);

// The file content for these rows, followed by lines kept as they were read. Nothing is
// escaped: Windows paths hold no double quotes and no line breaks. A POSIX path with a double
// quote goes out without quotes, which reads back unless it also holds a comma or has blanks
// at its ends; one with a line break never reads back as it was.
std::string formatPrintListText(
    const std::vector<std::string>& rows, const std::vector<std::string>& keptLines = {});

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
    std::vector<UnusableListLine> unusable; // lines read that gave no rows

    bool ok() const { return status == ListFileStatus::Ok; }
    // "Error: <number>. <description>" for Failed, empty otherwise.
    std::string errorText() const;
};

ListFileResult readPrintListFile(FileSystem& files, const std::string& path);
// Creates or replaces the file as a whole; keptLines (unusable lines of a list read earlier)
// follow the rows byte for byte.
ListFileResult writePrintListFile(FileSystem& files, const std::string& path,
    const std::vector<std::string>& rows, const std::vector<std::string>& keptLines = {});

struct ListFileLoad {
    ListFileResult file;
    std::vector<std::string> notAdded; // rows that did not fit into the print list
};

// Reads the file and merges its rows into the list at the current row (above it, which
// stays current) or at the end when there is none. The list is not emptied first. On a
// failure the list is unchanged.
ListFileLoad loadPrintListFile(FileSystem& files, const std::string& path, PrintList& list);

} // namespace quorrix::engine
