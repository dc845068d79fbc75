#include "engine/platform/ini_file.h"

namespace quorrix::engine {

IniDocument IniFile::load(const std::string& path)
{
    const auto bytes = m_files.readBytes(path);
    if (!bytes)
        return {};
    return IniDocument::parse(*bytes);
}

std::shared_ptr<const IniDocument> IniFile::document(const std::string& path)
{
    const auto stamp = m_files.stamp(path);
    const std::lock_guard lock(m_cacheMutex);
    if (!stamp) {
        m_cache.erase(path);
        return std::make_shared<const IniDocument>();
    }
    auto it = m_cache.find(path);
    if (it != m_cache.end() && it->second.stamp == *stamp)
        return it->second.document;
    auto parsed = std::make_shared<const IniDocument>(load(path));
    m_cache[path] = Cached { *stamp, parsed };
    return parsed;
}

void IniFile::store(const std::string& path, const IniDocument& document)
{
    m_files.writeBytesAtomic(path, document.serialize());
    const std::lock_guard lock(m_cacheMutex);
    m_cache.erase(path);
}

std::optional<std::string> IniFile::read(
    const std::string& path, std::string_view section, std::string_view key)
{
    return document(path)->get(section, key);
}

std::vector<std::pair<std::string, std::string>> IniFile::readSection(
    const std::string& path, std::string_view section)
{
    return document(path)->sectionEntries(section);
}

std::vector<std::string> IniFile::sectionNames(const std::string& path)
{
    return document(path)->sectionNames();
}

bool IniFile::exists(const std::string& path)
{
    return m_files.stamp(path).has_value();
}

void IniFile::write(
    const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    IniDocument doc = load(path);
    doc.set(section, key, value);
    store(path, doc);
}

void IniFile::writeMany(const std::string& path, const std::vector<IniEntry>& entries,
    const std::optional<std::string>& startText)
{
    IniDocument doc = startText ? IniDocument::parse(*startText) : load(path);
    for (const IniEntry& e : entries)
        doc.set(e.section, e.key, e.value);
    store(path, doc);
}

} // namespace quorrix::engine
