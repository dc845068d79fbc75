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

std::pair<std::uint32_t, std::uint32_t> tiffSize(const std::string& tiff)
{
    const auto u16 = [&tiff](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(tiff.at(at))
            | static_cast<unsigned char>(tiff.at(at + 1)) << 8);
    };
    const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (tiff.size() < 8 || tiff.substr(0, 4) != std::string("II*\0", 4))
        return { 0, 0 };
    const std::size_t ifd = u32(4);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    for (std::uint32_t i = 0; i < u16(ifd); ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        const std::uint32_t value = u16(entry + 2) == 3 ? u16(entry + 8) : u32(entry + 8);
        if (u16(entry) == 256)
            width = value;
        if (u16(entry) == 257)
            height = value;
    }
    return { width, height };
}

} // namespace quorrix::test
