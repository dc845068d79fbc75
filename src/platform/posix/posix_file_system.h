#pragma once

#include "engine/platform/file_system.h"

namespace quorrix::platform {

// Hidden files are those whose name begins with a dot; POSIX has no system files.
class PosixFileSystem : public engine::FileSystem {
public:
    bool isPlainFile(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    std::vector<std::string> plainFiles(const std::string& folder) override;
    std::optional<engine::FileStamp> stamp(const std::string& path) override;
    std::optional<std::string> readBytes(const std::string& path) override;
    void writeBytesAtomic(const std::string& path, const std::string& bytes) override;
    void writeBytesQuickly(const std::string& path, const std::string& bytes) override;
    void removeFile(const std::string& path) override;
    void appendBytes(const std::string& path, const std::string& bytes) override;
    bool isWritableFolder(const std::string& path) override;
};

// Writes bytes to a temporary file beside path and renames it over path; with sync the data
// reach the disk before the rename. Keeps the permissions of a file it replaces; a new file
// gets newFileMode less the umask.
void replaceFileAtomically(
    const std::string& path, const std::string& bytes, bool sync, unsigned newFileMode);

} // namespace quorrix::platform
