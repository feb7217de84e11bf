// Another program that switches the display mode, as a game does:
//   SwitchMode WIDTH HEIGHT BITS HZ [restore]
// Asks for the mode with ChangeDisplaySettingsA and, with "restore", puts back the
// mode it found before exiting. It prints when its change returned, in nanoseconds of
// Unix time (Wine's system clock is the host's), so that a script can time what
// another program does after it. Exit code 0 when every change was accepted, 2 on bad
// arguments, 3 when a change was refused (its result is printed).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static unsigned long long UnixNanoseconds() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long since1601 =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kUnixEpochIn100ns = 116444736000000000ULL;
    return (since1601 - kUnixEpochIn100ns) * 100;
}

int main(int argc, char** argv) {
    if (argc != 5 && !(argc == 6 && std::strcmp(argv[5], "restore") == 0)) {
        std::fprintf(stderr, "usage: SwitchMode WIDTH HEIGHT BITS HZ [restore]\n");
        return 2;
    }
    DEVMODEA found{};
    found.dmSize = sizeof found;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &found)) {
        std::fprintf(stderr, "SwitchMode: no current mode\n");
        return 3;
    }
    DEVMODEA wanted = found;
    wanted.dmPelsWidth = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
    wanted.dmPelsHeight = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    wanted.dmBitsPerPel = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    wanted.dmDisplayFrequency = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;

    const unsigned long long called = UnixNanoseconds();
    const LONG changed = ChangeDisplaySettingsA(&wanted, 0);
    const unsigned long long returned = UnixNanoseconds();
    std::printf("SwitchMode: called-at-ns %llu\n", called);
    std::printf("SwitchMode: returned-at-ns %llu\n", returned);
    std::printf("SwitchMode: %lux%lux%lu@%lu: %ld\n", wanted.dmPelsWidth, wanted.dmPelsHeight,
                wanted.dmBitsPerPel, wanted.dmDisplayFrequency, changed);
    LONG restored = DISP_CHANGE_SUCCESSFUL;
    if (argc == 6) {
        restored = ChangeDisplaySettingsA(&found, 0);
        std::printf("SwitchMode: restore: %ld\n", restored);
    }
    return changed == DISP_CHANGE_SUCCESSFUL && restored == DISP_CHANGE_SUCCESSFUL ? 0 : 3;
}
