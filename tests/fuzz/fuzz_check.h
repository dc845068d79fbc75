#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/file_system.h"
#include "engine/platform/text_encoding.h"
#include "engine/settings/settings_schema.h"
#include "swsim/model/installation.h"

namespace quorrix::fuzz {

// A broken invariant is a finding: say which, and abort so libFuzzer keeps the input.
[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::quorrix::fuzz::fail(#condition, __FILE__, __LINE__);                                 \
    } while (false)

// The libFuzzer entry point around a body that sees the input as the bytes of a file.
#define FUZZ_TARGET(bytes)                                                                         \
    static void fuzzOne(const std::string& bytes);                                                 \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)              \
    {                                                                                              \
        fuzzOne(std::string(reinterpret_cast<const char*>(data), size));                           \
        return 0;                                                                                  \
    }                                                                                              \
    static void fuzzOne(const std::string& bytes)

// What every text the readers hand to the rest of the program must be: UTF-8 without a NUL
// or a line break, which no path, name or single-line value can hold.
inline bool isCleanText(std::string_view text)
{
    return engine::isValidUtf8(text)
        && text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

// Every stored setting as the store writes it; with cleanStrings, the texts must be clean.
inline std::vector<std::string> settingTexts(const engine::Settings& settings, bool cleanStrings)
{
    std::vector<std::string> texts;
    for (const engine::SettingDefinition& definition : engine::settingsSchema()) {
        texts.push_back(engine::settingText(definition, settings, '.'));
        if (cleanStrings && definition.type == engine::FieldType::String)
            FUZZ_CHECK(isCleanText(texts.back()));
    }
    return texts;
}

// Preferences read from a file: numbers the stand-in can compute with, clean texts.
inline void checkPreferences(const swsim::Preferences& preferences)
{
    for (const auto& [id, value] : preferences.doubles)
        FUZZ_CHECK(std::isfinite(value));
    for (const auto& [id, text] : preferences.stringLists)
        FUZZ_CHECK(isCleanText(text));
}

// Files in memory: the readers see the FileSystem port and nothing of the disk, so one input
// costs microseconds.
class MemoryFileSystem : public engine::FileSystem {
public:
    std::map<std::string, std::string> files;

    bool isPlainFile(const std::string& path) override { return files.count(path) != 0; }
    bool folderExists(const std::string& path) override
    {
        const std::string prefix = path.ends_with('/') ? path : path + "/";
        for (const auto& [name, bytes] : files) {
            if (name.starts_with(prefix))
                return true;
        }
        return false;
    }
    std::vector<std::string> plainFiles(const std::string& folder) override
    {
        const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files) {
            if (name.starts_with(prefix) && name.find('/', prefix.size()) == std::string::npos)
                names.push_back(name.substr(prefix.size()));
        }
        return names;
    }
    std::optional<engine::FileStamp> stamp(const std::string& path) override
    {
        const auto it = files.find(path);
        if (it == files.end())
            return std::nullopt;
        // Every write is a new state of the file, as a real clock would mark it.
        return engine::FileStamp { it->second.size(), m_writes[path] };
    }
    std::optional<std::string> readBytes(const std::string& path) override
    {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void writeBytesAtomic(const std::string& path, const std::string& bytes) override
    {
        files[path] = bytes;
        ++m_writes[path];
    }
    void appendBytes(const std::string& path, const std::string& bytes) override
    {
        files[path] += bytes;
        ++m_writes[path];
    }
    void removeFile(const std::string& path) override { files.erase(path); }
    bool isWritableFolder(const std::string&) override { return true; }

private:
    std::map<std::string, std::int64_t> m_writes;
};

} // namespace quorrix::fuzz
