// Acts as a user on the windows of other programs, for the end-to-end tests:
//   WinDriver COMMAND ARGS...    (run it without arguments for the commands)
// Exit code 0 on success, 1 when an expectation fails or a wait times out (the reason
// is one line on stderr), 2 on bad usage. Every wait polls until its --timeout (ms).
#include "windriver/Commands.h"
#include "windriver/Windows.h"

#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <io.h>

int main(int argc, char** argv) {
    // Plain line ends, so that the shell compares what it reads without stripping.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc < 2) {
        std::fputs(windriver::Usage(), stderr);
        return 2;
    }
    try {
        windriver::Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
        std::fflush(stdout);
        return 0;
    } catch (const windriver::Failure& failure) {
        std::fflush(stdout);
        std::fprintf(stderr, "WinDriver %s: %s\n", argv[1], failure.what());
        if (failure.Code == 2) {
            std::fputs(windriver::Usage(), stderr);
        }
        return failure.Code;
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "WinDriver %s: %s\n", argv[1], error.what());
        return 1;
    }
}
