#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"

namespace quorrix::engine {

// The profile-string functions over real files: read a value, write a value, list a
// section. Reads keep a parsed copy of each file until the file changes, so looking up many
// texts of a language file costs one parse. Each write reads the file afresh and replaces it
// atomically. Failures of the file system throw PlatformError. The copies are shared by the
// run's thread and the window thread, which both read the language file.
class IniFile {
public:
    explicit IniFile(FileSystem& files)
        : m_files(files)
    {
    }

    // Nothing when the file, the section or the key is missing.
    std::optional<std::string> read(
        const std::string& path, std::string_view section, std::string_view key);
    std::vector<std::pair<std::string, std::string>> readSection(
        const std::string& path, std::string_view section);
    std::vector<std::string> sectionNames(const std::string& path);
    bool exists(const std::string& path);

    void write(const std::string& path, std::string_view section, std::string_view key,
        std::string_view value);
    // Writes all entries in order with one read and one write of the file; the file ends up
    // exactly as writing them one by one would leave it. With startText the file's old
    // content is replaced by that text before the entries are written.
    void writeMany(const std::string& path, const std::vector<IniEntry>& entries,
        const std::optional<std::string>& startText = std::nullopt);

    // The parsed file, or an empty document when the file does not exist.
    std::shared_ptr<const IniDocument> document(const std::string& path);

private:
    struct Cached {
        FileStamp stamp;
        std::shared_ptr<const IniDocument> document;
    };
    IniDocument load(const std::string& path);
    void store(const std::string& path, const IniDocument& document);

    FileSystem& m_files;
    std::mutex m_cacheMutex;
    std::map<std::string, Cached> m_cache;
};

} // namespace quorrix::engine
