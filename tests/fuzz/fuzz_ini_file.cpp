// The INI reader behind settings files, language files and the stand-in's files: whatever a
// file holds, reading gives clean texts that agree with each other, and writing one key
// changes that key alone.

#include <fuzzer/FuzzedDataProvider.h>

#include <set>

#include "engine/platform/ini_file.h"
#include "fuzz/fuzz_check.h"

using namespace quorrix;
using engine::IniDocument;

namespace {

constexpr const char* kPath = "/data/settings.ini";

// The lines as the reader splits them (CR LF, LF or CR), without a leading byte-order mark.
std::vector<std::string> splitLines(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

using Entries = std::map<std::pair<std::string, std::string>, std::string>;

// What get() answers for every section and key the document lists, checking on the way
// that the listing and get() agree and that every text is clean.
Entries readAll(const IniDocument& doc)
{
    Entries all;
    for (const std::string& section : doc.sectionNames()) {
        FUZZ_CHECK(fuzz::isCleanText(section));
        const std::string folded = engine::foldCase(section);
        std::set<std::string> seen;
        for (const auto& [key, value] : doc.sectionEntries(section)) {
            FUZZ_CHECK(fuzz::isCleanText(key));
            FUZZ_CHECK(fuzz::isCleanText(value));
            if (!seen.insert(engine::foldCase(key)).second)
                continue; // the first of equal keys wins
            FUZZ_CHECK(doc.get(section, key) == value);
            all.emplace(std::make_pair(folded, engine::foldCase(key)), value);
        }
    }
    return all;
}

} // namespace

FUZZ_TARGET(input)
{
    FuzzedDataProvider provider(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    const auto choice = provider.ConsumeIntegral<std::uint32_t>(); // from the end of the input
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    fuzz::MemoryFileSystem files;
    files.files[kPath] = bytes;
    engine::IniFile ini(files);
    const auto doc = ini.document(kPath);
    const Entries before = readAll(*doc);

    // Written back as read, the file reads the same and writes the same again.
    const std::string written = doc->serialize();
    const IniDocument reread = IniDocument::parse(written);
    FUZZ_CHECK(reread.serialize() == written);
    FUZZ_CHECK(readAll(reread) == before);

    // One key written: it reads back as written, every other key as before, and every other
    // line of the file keeps its bytes.
    const std::vector<std::string> sections = doc->sectionNames();
    std::string section = "Fuzz";
    if (!sections.empty() && (choice & 1) != 0)
        section = sections[(choice >> 1) % sections.size()];
    std::string key = "Key";
    const auto entries = doc->sectionEntries(section);
    if (!entries.empty() && (choice & 0x100) != 0)
        key = entries[(choice >> 9) % entries.size()].first;
    if (section.empty() || section.find(']') != std::string::npos || key.empty())
        return; // names the program never writes
    std::string value = bytes.substr(bytes.empty() ? 0 : (choice >> 16) % bytes.size(), 40);
    if (!engine::isValidUtf8(value))
        value = engine::windows1252ToUtf8(value);

    ini.write(kPath, section, key, value);
    const auto afterWrite = ini.read(kPath, section, key);
    FUZZ_CHECK(afterWrite.has_value());
    if (!engine::holdsControlCharacter(value))
        FUZZ_CHECK(*afterWrite == value);
    Entries after = readAll(*ini.document(kPath));
    Entries expected = before;
    expected[{ engine::foldCase(section), engine::foldCase(key) }] = *afterWrite;
    FUZZ_CHECK(after == expected);

    const std::vector<std::string> oldLines = splitLines(bytes);
    const std::vector<std::string> newLines = splitLines(files.files[kPath]);
    std::size_t prefix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size()
        && oldLines[prefix] == newLines[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix
        && oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix])
        ++suffix;
    FUZZ_CHECK(oldLines.size() - prefix - suffix <= 1); // the key's own line
    FUZZ_CHECK(newLines.size() - prefix - suffix <= 2); // or a new section and key
}
