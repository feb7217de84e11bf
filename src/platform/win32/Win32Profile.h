#pragma once

#include "settings/Profile.h"

#include <string>

namespace tvm {

// The settings file through GetPrivateProfileStringA and WritePrivateProfileStringA.
// Given a bare file name, Windows keeps the file in the Windows directory.
class Win32Profile : public Profile {
public:
    explicit Win32Profile(std::string fileName);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool EraseSection(const std::string& section) override;
    std::string FileName() const override;

private:
    std::string fileName_;
};

} // namespace tvm
