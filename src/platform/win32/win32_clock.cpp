#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace quorrix::platform {

namespace {

constexpr std::int64_t kTicksPerSecond = 10000;

} // namespace

std::int64_t scaleCounterTicks(std::int64_t count, std::int64_t frequency)
{
    // count * 10000 would overflow after about ten days at a 10 MHz counter; split into
    // whole seconds and the remainder instead.
    const std::int64_t seconds = count / frequency;
    const std::int64_t rest = count % frequency;
    return seconds * kTicksPerSecond + rest * kTicksPerSecond / frequency;
}

Win32Clock::Win32Clock()
{
    LARGE_INTEGER frequency {};
    // Cannot fail on any Windows since XP; guard against a zero divisor all the same.
    QueryPerformanceFrequency(&frequency);
    m_frequency = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
}

engine::LocalDateTime Win32Clock::now() const
{
    SYSTEMTIME t {};
    GetLocalTime(&t);
    return { t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds };
}

std::int64_t Win32Clock::counterTicks() const
{
    LARGE_INTEGER count {};
    QueryPerformanceCounter(&count);
    return scaleCounterTicks(count.QuadPart, m_frequency);
}

void Win32Clock::sleepMilliseconds(int milliseconds)
{
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

} // namespace quorrix::platform
