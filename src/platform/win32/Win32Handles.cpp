#include "platform/win32/Win32Handles.h"

#include <system_error>

namespace tvm {

void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

} // namespace tvm
