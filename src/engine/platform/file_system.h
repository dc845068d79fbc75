#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorrix::engine {

// Identifies one state of a file's content cheaply, so a parsed copy can be reused until
// the file changes.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // platform ticks; only compared for equality
    // Which file it is where the platform says so cheaply (the inode on POSIX), else 0:
    // a file replaced within one tick of a coarse clock still reads as a new state.
    std::uint64_t identity = 0;
    bool operator==(const FileStamp&) const = default;
};

// Files and folders. Paths are UTF-8. Failures other than "not there" throw PlatformError.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A plain file: not a folder, not hidden, not a system file.
    virtual bool isPlainFile(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Names (not paths) of the plain files directly in the folder, in no particular order;
    // empty when the folder cannot be read.
    virtual std::vector<std::string> plainFiles(const std::string& folder) = 0;
    virtual std::optional<FileStamp> stamp(const std::string& path) = 0;

    // The file's bytes, or nothing when it does not exist.
    virtual std::optional<std::string> readBytes(const std::string& path) = 0;
    // Replaces the file's content as a whole: the bytes go to a temporary file in the same
    // folder that then takes the file's place, so a crash leaves either the old or the new
    // content, and only once the bytes are on disk, so a power loss cannot leave an empty
    // file either. Fails on a read-only file and on a missing folder.
    virtual void writeBytesAtomic(const std::string& path, const std::string& bytes) = 0;
    // The same without waiting for the disk: for files that can be made again, where that
    // wait would be most of the work.
    virtual void writeBytesQuickly(const std::string& path, const std::string& bytes)
    {
        writeBytesAtomic(path, bytes);
    }
    // Appends to the file, creating it when missing.
    virtual void appendBytes(const std::string& path, const std::string& bytes) = 0;
    // Deletes the file; a file that is not there is no error.
    virtual void removeFile(const std::string& path) = 0;
    virtual bool isWritableFolder(const std::string& path) = 0;
};

} // namespace quorrix::engine
