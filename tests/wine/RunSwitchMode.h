#pragma once

#include <windows.h>

#include <string>

namespace tvm::test {

// Runs SwitchMode.exe (built beside this program; see tests/wine/helpers/SwitchMode.cpp)
// with `arguments` and pumps this thread's messages until it exits, as the program's
// message loop would. Returns its exit code.
DWORD RunSwitchModeWhilePumping(const std::string& arguments);

} // namespace tvm::test
