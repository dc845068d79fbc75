#include "engine/printlist/print_list_file.h"

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

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Reads one field starting at pos and leaves pos on the comma or line end behind it (or at
// the end of the text).
std::string readField(std::string_view text, std::size_t& pos)
{
    std::size_t start = pos;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    if (start < text.size() && text[start] == '"') {
        std::size_t close = start + 1;
        while (close < text.size() && text[close] != '"' && !isLineEnd(text[close]))
            ++close;
        const std::string field(text.substr(start + 1, close - start - 1));
        pos = close;
        while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
            ++pos;
        return field;
    }
    std::size_t end = pos;
    while (end < text.size() && text[end] != ',' && !isLineEnd(text[end]))
        ++end;
    const std::string field(trimBlanks(text.substr(pos, end - pos)));
    pos = end;
    return field;
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

std::vector<std::string> parsePrintListText(std::string_view text)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < text.size()) {
        fields.push_back(readField(text, pos));
        if (pos >= text.size())
            break;
        if (text[pos] == ',') {
            ++pos;
            if (pos == text.size())
                fields.emplace_back();
        } else {
            const bool crLf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
            pos += crLf ? 2 : 1;
        }
    }
    return fields;
}

std::string formatPrintListText(const std::vector<std::string>& rows)
{
    std::size_t size = 0;
    for (const std::string& row : rows)
        size += row.size() + 4;
    std::string text;
    text.reserve(size);
    for (const std::string& row : rows) {
        text += '"';
        text += row;
        text += "\"\r\n";
    }
    return text;
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
        ListFileResult result;
        result.rows = parsePrintListText(decodeTextFile(*bytes));
        return result;
    } catch (const PlatformError& error) {
        return failure(ListFileStatus::Failed, error.number(), error.description());
    } catch (const std::exception& error) {
        // A port should only throw PlatformError; whatever else comes (a file too large to
        // hold) is still this file's failure, not the program's end.
        return failure(ListFileStatus::Failed, 0, error.what());
    }
}

ListFileResult writePrintListFile(
    FileSystem& files, const std::string& path, const std::vector<std::string>& rows)
{
    try {
        files.writeBytesAtomic(path, formatPrintListText(rows));
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
