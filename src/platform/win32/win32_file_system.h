#pragma once

#include "engine/platform/file_system.h"

namespace quorrix::platform {

// Files through the W functions of the Windows API, so that any name the user's folders
// hold can be reached, and hidden and system files are told apart by their attributes.
class Win32FileSystem : public engine::FileSystem {
public:
    bool isPlainFile(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    std::vector<std::string> plainFiles(const std::string& folder) override;
    std::optional<engine::FileStamp> stamp(const std::string& path) override;

    std::optional<std::string> readBytes(const std::string& path) override;
    void writeBytesAtomic(const std::string& path, const std::string& bytes) override;
    void appendBytes(const std::string& path, const std::string& bytes) override;
    void removeFile(const std::string& path) override;
    bool isWritableFolder(const std::string& path) override;
};

} // namespace quorrix::platform
