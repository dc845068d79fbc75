#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "engine/platform/path_text.h"

namespace quorrix::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<int> counter { 0 };
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path dir = fs::temp_directory_path()
        / ("quorrix-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    fs::create_directories(dir);
    m_path = engine::utf8FromPath(dir);
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(engine::pathFromUtf8(m_path), ec);
}

std::string TempDir::file(const std::string& name) const
{
    return m_path + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    const std::string path = file(name);
    writeFileBytes(path, bytes);
    return path;
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(engine::pathFromUtf8(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(engine::pathFromUtf8(path), std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace quorrix::test
