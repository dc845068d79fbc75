#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorrix::engine {

// The output files one run has written and which of its documents wrote each first, so a
// document that writes over another one's file is told instead of silently replacing it
// (drawings whose sheets share a name all save "Sheet1.dxf"). Paths are kept as hashes
// and documents as numbers into the run's own list, so a run of tens of thousands of
// documents keeps a few bytes per file.
class WrittenOutputs {
public:
    // documents: the run's documents by number; it must outlive this object.
    explicit WrittenOutputs(const std::vector<std::string>& documents);

    // The document whose files come next.
    void setCurrent(std::size_t document) { m_current = document; }

    // Notes that the current document wrote path. Returns the earlier document that wrote
    // the same file, when that was another document, else nullptr.
    const std::string* noteWritten(const std::string& path);

private:
    const std::vector<std::string>& m_documents;
    std::unordered_map<std::uint64_t, std::size_t> m_firstWriter;
    std::size_t m_current = 0;
};

// The form of a path under which two spellings of one file compare equal on this
// platform: on Windows letter case and "/" against "\" do not count.
std::string comparablePath(const std::string& path);

} // namespace quorrix::engine
