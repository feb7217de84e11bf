#pragma once

#include "settings/Profile.h"

#include <filesystem>
#include <string>

namespace tvm {

// The settings file where there is no private-profile interface: a real file that each
// call reads whole, changes in memory and, if anything changed, writes back whole, so
// the file on disk is byte for byte what the Win32 private-profile writer would leave
// for the same calls. Every write goes to "<path>.tmp" in the same folder first, is
// flushed to the disk and then renamed over the file, so a refused write leaves the
// old file as it was.
class IniFileProfile : public Profile {
public:
    // `fileName` is the name the file goes by in messages; `path` is where it lives.
    IniFileProfile(std::filesystem::path path, std::string fileName);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool EraseSection(const std::string& section) override;
    std::string FileName() const override;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string fileName_;
};

} // namespace tvm
