#include "platform/win32/Win32Profile.h"

#include <utility>
#include <vector>

#include <windows.h>

namespace tvm {

Win32Profile::Win32Profile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string Win32Profile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& fallback) {
    // A value that does not fit comes back cut to the buffer with a length of one less
    // than its size, which a value that fits exactly also gives; so grow until the
    // length leaves room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), size, fileName_.c_str());
        if (length + 1 < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      fileName_.c_str()) != FALSE;
}

bool Win32Profile::EraseSection(const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()) !=
           FALSE;
}

std::string Win32Profile::FileName() const {
    return fileName_;
}

} // namespace tvm
