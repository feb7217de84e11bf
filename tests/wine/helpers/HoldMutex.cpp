// Holds a named mutex as a running copy of the program does, but has no window that could
// be asked to end: HoldMutex NAME SECONDS. Exits after SECONDS (or when killed).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: HoldMutex NAME SECONDS\n", stderr);
        return 2;
    }
    HANDLE mutex = CreateMutexA(nullptr, FALSE, argv[1]);
    if (mutex == nullptr) {
        std::fprintf(stderr, "HoldMutex: CreateMutexA failed (error %lu)\n", GetLastError());
        return 1;
    }
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) * 1000);
    CloseHandle(mutex);
    return 0;
}
