// Another program that switches the display mode, as a game does:
//   SwitchMode WIDTH HEIGHT BITS HZ [restore] [DEVICE]
// Asks for the mode with ChangeDisplaySettingsA on the primary display, or, given a
// display's device name ("\\.\DISPLAY2"), with ChangeDisplaySettingsExW on that display;
// with "restore", it puts back the mode it found before exiting. It prints when its
// change returned, in nanoseconds of Unix time (Wine's system clock is the host's), so
// that a script can time what another program does after it. Exit code 0 when every
// change was accepted, 2 on bad arguments, 3 when a change was refused (its result is
// printed).
#include "UnixTime.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The primary through the ANSI calls, as the games the program was first written against
// do; another display through the wide calls with its name.
class Display {
public:
    explicit Display(const char* device) {
        if (device != nullptr) {
            const int length = MultiByteToWideChar(CP_ACP, 0, device, -1, nullptr, 0);
            device_.resize(static_cast<std::size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, device, -1, device_.data(), length);
        }
    }
    bool Current(DEVMODEA& ansi, DEVMODEW& wide) const {
        if (device_.empty()) {
            ansi.dmSize = sizeof ansi;
            return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &ansi) != FALSE;
        }
        wide.dmSize = sizeof wide;
        return EnumDisplaySettingsExW(device_.c_str(), ENUM_CURRENT_SETTINGS, &wide, 0) != FALSE;
    }
    LONG Change(DEVMODEA& ansi, DEVMODEW& wide) const {
        return device_.empty()
                   ? ChangeDisplaySettingsA(&ansi, 0)
                   : ChangeDisplaySettingsExW(device_.c_str(), &wide, nullptr, 0, nullptr);
    }

private:
    std::wstring device_;
};

struct Wanted {
    DWORD Width;
    DWORD Height;
    DWORD Bits;
    DWORD Hz;
};

template <class DevMode> DevMode Ask(DevMode mode, const Wanted& wanted) {
    mode.dmPelsWidth = wanted.Width;
    mode.dmPelsHeight = wanted.Height;
    mode.dmBitsPerPel = wanted.Bits;
    mode.dmDisplayFrequency = wanted.Hz;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    return mode;
}

} // namespace

int main(int argc, char** argv) {
    int next = 5;
    const bool restore = argc > next && std::strcmp(argv[next], "restore") == 0;
    next += restore ? 1 : 0;
    const char* device = argc > next ? argv[next++] : nullptr;
    if (argc < 5 || argc != next) {
        std::fprintf(stderr, "usage: SwitchMode WIDTH HEIGHT BITS HZ [restore] [DEVICE]\n");
        return 2;
    }
    const Display display(device);
    DEVMODEA foundAnsi{};
    DEVMODEW foundWide{};
    if (!display.Current(foundAnsi, foundWide)) {
        std::fprintf(stderr, "SwitchMode: no current mode\n");
        return 3;
    }
    const Wanted wanted{static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)),
                        static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)),
                        static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)),
                        static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10))};
    DEVMODEA wantedAnsi = Ask(foundAnsi, wanted);
    DEVMODEW wantedWide = Ask(foundWide, wanted);

    const unsigned long long called = UnixNanoseconds();
    const LONG changed = display.Change(wantedAnsi, wantedWide);
    const unsigned long long returned = UnixNanoseconds();
    std::printf("SwitchMode: called-at-ns %llu\n", called);
    std::printf("SwitchMode: returned-at-ns %llu\n", returned);
    std::printf("SwitchMode: %lux%lux%lu@%lu: %ld\n", wanted.Width, wanted.Height, wanted.Bits,
                wanted.Hz, changed);
    LONG restored = DISP_CHANGE_SUCCESSFUL;
    if (restore) {
        restored = display.Change(foundAnsi, foundWide);
        std::printf("SwitchMode: restore: %ld\n", restored);
    }
    return changed == DISP_CHANGE_SUCCESSFUL && restored == DISP_CHANGE_SUCCESSFUL ? 0 : 3;
}
