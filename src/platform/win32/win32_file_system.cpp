#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <string>

#include <windows.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {

using engine::FileStamp;

namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kChunk = 1 << 20;

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
        || error == ERROR_INVALID_NAME;
}

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// Attributes, or INVALID_FILE_ATTRIBUTES for a name that is not there or not valid UTF-8.
DWORD attributesOf(const std::string& path)
{
    if (path.empty())
        return INVALID_FILE_ATTRIBUTES;
    try {
        return GetFileAttributesW(utf16FromUtf8(path).c_str());
    } catch (const engine::PlatformError&) {
        return INVALID_FILE_ATTRIBUTES;
    }
}

// A name for a scratch file beside the target that no other writer picks at the same time.
std::wstring scratchName(const std::wstring& base)
{
    static std::atomic<unsigned> counter { 0 };
    return base + L".~qrx" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(counter.fetch_add(1) ^ GetTickCount()) + L".tmp";
}

// Creates a new scratch file named after base; throws when none can be made.
UniqueHandle createScratch(const std::wstring& base, DWORD flags, std::wstring& name)
{
    for (int attempt = 0;; ++attempt) {
        name = scratchName(base);
        UniqueHandle file(
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr));
        if (file.valid())
            return file;
        const DWORD error = GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 100)
            throwPlatformError(error);
    }
}

void writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, part, &written, nullptr))
            throwLastError();
        if (written == 0)
            throwPlatformError(ERROR_WRITE_FAULT);
        done += written;
    }
}

// Windows itself refuses to replace or extend a read-only file, but not everywhere the
// program runs (Wine as root ignores the mark); the user's read-only mark must hold
// regardless.
void refuseReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throwPlatformError(ERROR_ACCESS_DENIED);
}

} // namespace

bool Win32FileSystem::isPlainFile(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | kHiddenOrSystem)) == 0;
}

bool Win32FileSystem::folderExists(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::plainFiles(const std::string& folder)
{
    std::vector<std::string> names;
    if (folder.empty())
        return names;
    std::wstring pattern;
    try {
        pattern = utf16FromUtf8(folder);
    } catch (const engine::PlatformError&) {
        return names;
    }
    if (!isSeparator(pattern.back()))
        pattern += L'\\';
    pattern += L'*';

    WIN32_FIND_DATAW entry {};
    UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &entry));
    if (!search.valid())
        return names;
    do {
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kHiddenOrSystem)) == 0)
            names.push_back(utf8FromUtf16(entry.cFileName));
    } while (FindNextFileW(search.get(), &entry));
    return names;
}

std::optional<FileStamp> Win32FileSystem::stamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!GetFileAttributesExW(utf16FromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        if (isMissing(error))
            return std::nullopt;
        throwPlatformError(error);
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    FileStamp result;
    result.size = (std::uint64_t { data.nFileSizeHigh } << 32) | data.nFileSizeLow;
    result.modified
        = static_cast<std::int64_t>((std::uint64_t { data.ftLastWriteTime.dwHighDateTime } << 32)
            | data.ftLastWriteTime.dwLowDateTime);
    return result;
}

std::optional<std::string> Win32FileSystem::readBytes(const std::string& path)
{
    // Others may keep the file open for writing (a log being appended to) while we read.
    UniqueHandle file(CreateFileW(utf16FromUtf8(path).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (isMissing(error))
            return std::nullopt;
        throwPlatformError(error);
    }
    std::string bytes;
    LARGE_INTEGER size {};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0
        && static_cast<std::uint64_t>(size.QuadPart) < std::numeric_limits<std::size_t>::max())
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    // Read to the end rather than trusting the size: the file may grow meanwhile.
    std::string chunk(kChunk, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), kChunk, &got, nullptr))
            throwLastError();
        if (got == 0)
            break;
        bytes.append(chunk.data(), got);
    }
    return bytes;
}

void Win32FileSystem::writeBytesAtomic(const std::string& path, const std::string& bytes)
{
    const std::wstring target = utf16FromUtf8(path);
    refuseReadOnly(target);

    std::wstring scratch;
    UniqueHandle file = createScratch(target, FILE_ATTRIBUTE_NORMAL, scratch);
    try {
        writeAll(file.get(), bytes);
        // The content must be on disk before the name points at it, or a crash could leave
        // an empty file where the old one was.
        if (!FlushFileBuffers(file.get()))
            throwLastError();
        if (!file.close())
            throwLastError();
        if (!MoveFileExW(scratch.c_str(), target.c_str(),
                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throwLastError();
    } catch (...) {
        file.reset();
        DeleteFileW(scratch.c_str());
        throw;
    }
}

void Win32FileSystem::appendBytes(const std::string& path, const std::string& bytes)
{
    const std::wstring target = utf16FromUtf8(path);
    refuseReadOnly(target);
    // Append-only access: every write lands at the current end, even when another program
    // appends to the same file.
    UniqueHandle file(CreateFileW(target.c_str(), FILE_APPEND_DATA,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        throwLastError();
    writeAll(file.get(), bytes);
    if (!file.close())
        throwLastError();
}

void Win32FileSystem::removeFile(const std::string& path)
{
    if (DeleteFileW(utf16FromUtf8(path).c_str()))
        return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        throwLastError();
}

bool Win32FileSystem::isWritableFolder(const std::string& path)
{
    if (!folderExists(path))
        return false;
    std::wstring base = utf16FromUtf8(path);
    if (!isSeparator(base.back()))
        base += L'\\';
    base += L"quorrix";
    std::wstring scratch;
    try {
        // Deleted by the system when closed; being allowed to create and delete it is the
        // answer.
        createScratch(base, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, scratch);
        return true;
    } catch (const engine::PlatformError&) {
        return false;
    }
}

} // namespace quorrix::platform
