#include "platform/win32/Win32Profile.h"

#include "platform/win32/Win32Text.h"

#include <utility>
#include <vector>

#include <windows.h>

namespace tvm {

Win32Profile::Win32Profile(std::string path) : path_(std::move(path)), widePath_(Widen(path_)) {}

std::string Win32Profile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& fallback) {
    const std::wstring wideSection = WidenAnsi(section);
    const std::wstring wideKey = WidenAnsi(key);
    const std::wstring wideFallback = WidenAnsi(fallback);
    // A value that does not fit comes back cut to the buffer with a length of one less
    // than its size, which a value that fits exactly also gives; so grow until the
    // length leaves room to spare.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(),
                                     buffer.data(), size, widePath_.c_str());
        if (length + 1 < size) {
            return NarrowAnsi(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(),
                                      WidenAnsi(value).c_str(), widePath_.c_str()) != FALSE;
}

bool Win32Profile::EraseSection(const std::string& section) {
    return WritePrivateProfileStringW(WidenAnsi(section).c_str(), nullptr, nullptr,
                                      widePath_.c_str()) != FALSE;
}

std::string Win32Profile::FileName() const {
    return path_;
}

} // namespace tvm
