#pragma once

#include <windows.h>

// Now, in nanoseconds of Unix time (Wine's system clock is the host's), so that a
// script can set what a helper did against its own clock.
inline unsigned long long UnixNanoseconds() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long since1601 =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kUnixEpochIn100ns = 116444736000000000ULL;
    return (since1601 - kUnixEpochIn100ns) * 100;
}
