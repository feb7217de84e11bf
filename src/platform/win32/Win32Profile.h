#pragma once

#include "settings/Profile.h"

#include <string>

namespace tvm {

// The settings file through GetPrivateProfileStringW and WritePrivateProfileStringW,
// always given its full path (a bare name would put it in the Windows directory, which
// a program without administrator rights cannot write). A file these calls create is
// ANSI text, as before, and the section, key and value texts stay in the ANSI code
// page on their way through; only the path is UTF-8.
class Win32Profile : public Profile {
public:
    // `path` is UTF-8; messages name the file by it.
    explicit Win32Profile(std::string path);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool EraseSection(const std::string& section) override;
    std::string FileName() const override;

private:
    std::string path_;
    std::wstring widePath_;
};

} // namespace tvm
