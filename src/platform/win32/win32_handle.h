#pragma once

#include <utility>

#include <windows.h>

namespace quorrix::platform {

// Owns a kernel handle (file, process, search) and closes it once.
template <typename Traits> class BasicUniqueHandle {
public:
    BasicUniqueHandle() = default;
    explicit BasicUniqueHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~BasicUniqueHandle() { reset(); }
    BasicUniqueHandle(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;
    BasicUniqueHandle(BasicUniqueHandle&& other) noexcept
        : m_handle(other.release())
    {
    }
    BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE)
    {
        if (valid())
            Traits::close(m_handle);
        m_handle = handle;
    }
    // Closes now and reports whether the close worked (a failed close of a written file
    // can mean lost data).
    bool close()
    {
        if (!valid())
            return true;
        const bool ok = Traits::close(std::exchange(m_handle, INVALID_HANDLE_VALUE));
        return ok;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

struct KernelHandleTraits {
    static bool close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
struct FindHandleTraits {
    static bool close(HANDLE handle) { return FindClose(handle) != FALSE; }
};

using UniqueHandle = BasicUniqueHandle<KernelHandleTraits>;
using UniqueFindHandle = BasicUniqueHandle<FindHandleTraits>;

} // namespace quorrix::platform
