#pragma once

#include <string>

namespace quorrix::test {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes. path() is UTF-8 without a trailing separator.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + separator + name
    std::string file(const std::string& name) const;
    // Writes the file of that name, byte for byte, and gives its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

// Whole-file helpers for fixtures, byte for byte.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

} // namespace quorrix::test
