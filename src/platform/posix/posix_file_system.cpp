#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "platform/posix/posix_error.h"

namespace quorrix::platform {

namespace {

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isHiddenName(const std::string& name)
{
    return !name.empty() && name[0] == '.';
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

void writeAll(int fd, const std::string& bytes, const std::string& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw lastError(path);
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

void replaceFileAtomically(
    const std::string& path, const std::string& bytes, bool sync, unsigned newFileMode)
{
    struct stat existing { };
    bool replacing = false;
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            errno = EISDIR;
            throw lastError(path);
        }
        // A read-only file stays as it is, as the user meant it to.
        if (::access(path.c_str(), W_OK) != 0)
            throw lastError(path);
        replacing = true;
    }
    static std::atomic<unsigned> counter { 0 };
    const std::string temp = folderOf(path) + "/." + baseName(path) + ".tmp-"
        + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    Descriptor fd(::open(
        temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(newFileMode)));
    if (fd.get() < 0)
        throw lastError(path);
    try {
        writeAll(fd.get(), bytes, path);
        if (replacing && ::fchmod(fd.get(), existing.st_mode & 07777) != 0)
            throw lastError(path);
        if (sync && ::fsync(fd.get()) != 0)
            throw lastError(path);
        if (::close(fd.release()) != 0)
            throw lastError(path);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            throw lastError(path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    if (sync) {
        // The new name is on disk only once its folder is: without this a power loss could
        // still bring back the old file, though never a broken one.
        Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0)
            ::fsync(folder.get());
    }
}

bool PosixFileSystem::isPlainFile(const std::string& path)
{
    struct stat st { };
    return !path.empty() && !isHiddenName(baseName(path)) && ::stat(path.c_str(), &st) == 0
        && S_ISREG(st.st_mode);
}

bool PosixFileSystem::folderExists(const std::string& path)
{
    struct stat st { };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> PosixFileSystem::plainFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (isHiddenName(name))
            continue;
        struct stat st { };
        if (::stat((prefix + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<engine::FileStamp> PosixFileSystem::stamp(const std::string& path)
{
    struct stat st { };
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return engine::FileStamp { static_cast<std::uint64_t>(st.st_size),
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
        static_cast<std::uint64_t>(st.st_ino) };
}

std::optional<std::string> PosixFileSystem::readBytes(const std::string& path)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw lastError(path);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw lastError(path);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

void PosixFileSystem::writeBytesAtomic(const std::string& path, const std::string& bytes)
{
    // The content is on disk before the name points at it, so a crash or a power loss leaves
    // the old file or the new one, never an empty one.
    replaceFileAtomically(path, bytes, true, 0666);
}

void PosixFileSystem::writeBytesQuickly(const std::string& path, const std::string& bytes)
{
    replaceFileAtomically(path, bytes, false, 0666);
}

void PosixFileSystem::appendBytes(const std::string& path, const std::string& bytes)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (fd.get() < 0)
        throw lastError(path);
    writeAll(fd.get(), bytes, path);
}

void PosixFileSystem::removeFile(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw lastError(path);
}

bool PosixFileSystem::isWritableFolder(const std::string& path)
{
    return folderExists(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

} // namespace quorrix::platform
