#include "engine/actions/written_outputs.h"

#include <functional>

#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"

namespace quorrix::engine {

std::string comparablePath(const std::string& path)
{
    if (kPathSeparator != '\\')
        return path;
    std::string folded = foldCase(path);
    for (char& c : folded) {
        if (c == '/')
            c = '\\';
    }
    return folded;
}

WrittenOutputs::WrittenOutputs(const std::vector<std::string>& documents)
    : m_documents(documents)
{
}

const std::string* WrittenOutputs::noteWritten(const std::string& path)
{
    if (m_current >= m_documents.size())
        return nullptr;
    const std::uint64_t key = std::hash<std::string> {}(comparablePath(path));
    const auto [found, added] = m_firstWriter.try_emplace(key, m_current);
    if (added)
        return nullptr;
    const std::string& earlier = m_documents[found->second];
    // The same document listed twice writes the same file again; nothing is lost.
    if (comparablePath(earlier) == comparablePath(m_documents[m_current]))
        return nullptr;
    found->second = m_current;
    return &earlier;
}

} // namespace quorrix::engine
