#include "engine/printlist/print_list_file.h"

#include <algorithm>
#include <exception>

#include "engine/platform/file_system.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/text_encoding.h"
#include "engine/printlist/print_list.h"

namespace quorrix::engine {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads one field of the line starting at pos and leaves pos on the comma behind it (or at
// the end of the line).
std::string readField(std::string_view line, std::size_t& pos)
{
    std::size_t start = pos;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    if (start < line.size() && line[start] == '"') {
        std::size_t close = line.find('"', start + 1);
        if (close == std::string_view::npos)
            close = line.size();
        const std::string field(line.substr(start + 1, close - start - 1));
        pos = std::min(line.find(',', close), line.size());
        return field;
    }
    const std::size_t end = std::min(line.find(',', pos), line.size());
    const std::string field(trimBlanks(line.substr(pos, end - pos)));
    pos = end;
    return field;
}

// A row with a double quote in it came from a field without quotes (POSIX names may hold
// one); between quotes it would end at that quote and name another file. Without quotes it
// reads back as it is, as long as no comma splits it and no blank or quote opens it.
bool readsBackUnquoted(std::string_view row)
{
    return row.find('"') != std::string_view::npos && row.find(',') == std::string_view::npos
        && !row.empty() && !isBlank(row.front()) && !isBlank(row.back()) && row.front() != '"';
}

ListFileResult failure(ListFileStatus status, long number, const std::string& description)
{
    ListFileResult result;
    result.status = status;
    result.errorNumber = number;
    result.errorDescription = description;
    return result;
}

} // namespace

std::vector<std::string> parsePrintListLine(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (;;) {
        fields.push_back(readField(line, pos));
        if (pos >= line.size())
            return fields;
        ++pos; // the comma
    }
}

PrintListContent parsePrintListBytes(std::string_view bytes)
{
    PrintListContent content;
    for (const TextLine& line : readTextLines(bytes)) {
        if (line.fault != LineFault::None) {
            content.unusable.push_back({ line.number, line.bytes(), line.fault });
            continue;
        }
        for (std::string& field : parsePrintListLine(line.text))
            content.rows.push_back(std::move(field));
    }
    return content;
}

std::vector<std::string> parsePrintListText(std::string_view text)
{
    return parsePrintListBytes(text).rows;
}

std::string formatPrintListText(
    const std::vector<std::string>& rows, const std::vector<std::string>& keptLines)
{
    std::size_t size = 0;
    for (const std::string& row : rows)
        size += row.size() + 4;
    for (const std::string& line : keptLines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& row : rows) {
        if (readsBackUnquoted(row)) {
            text += row;
            text += "\r\n";
        } else {
            text += '"';
            text += row;
            text += "\"\r\n";
        }
    }
    for (const std::string& line : keptLines) {
        text += line;
        text += "\r\n";
    }
    return keepLeadingByteOrderMark(std::move(text));
}

std::string ListFileResult::errorText() const
{
    if (status != ListFileStatus::Failed)
        return {};
    return "Error: " + std::to_string(errorNumber) + ". " + errorDescription;
}

ListFileResult readPrintListFile(FileSystem& files, const std::string& path)
{
    try {
        const std::optional<std::string> bytes = files.readBytes(path);
        if (!bytes)
            return failure(ListFileStatus::Missing, 0, {});
        PrintListContent content = parsePrintListBytes(*bytes);
        ListFileResult result;
        result.rows = std::move(content.rows);
        result.unusable = std::move(content.unusable);
        return result;
    } catch (const PlatformError& error) {
        return failure(ListFileStatus::Failed, error.number(), error.description());
    } catch (const std::exception& error) {
        // A port should only throw PlatformError; whatever else comes (a file too large to
        // hold) is still this file's failure, not the program's end.
        return failure(ListFileStatus::Failed, 0, error.what());
    }
}

ListFileResult writePrintListFile(FileSystem& files, const std::string& path,
    const std::vector<std::string>& rows, const std::vector<std::string>& keptLines)
{
    try {
        files.writeBytesAtomic(path, formatPrintListText(rows, keptLines));
        return {};
    } catch (const PlatformError& error) {
        return failure(ListFileStatus::Failed, error.number(), error.description());
    } catch (const std::exception& error) {
        return failure(ListFileStatus::Failed, 0, error.what());
    }
}

ListFileLoad loadPrintListFile(FileSystem& files, const std::string& path, PrintList& list)
{
    ListFileLoad load;
    load.file = readPrintListFile(files, path);
    if (load.file.ok())
        load.notAdded = list.insertPaths(load.file.rows);
    return load;
}

} // namespace quorrix::engine
