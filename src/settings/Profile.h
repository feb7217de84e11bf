#pragma once

#include <string>

namespace tvm {

// An INI-style settings file with the semantics of the Win32 private-profile calls:
// section and key names match without regard to case, a new key goes to the end of
// its section, a new section to the end of the file, and every write has reached the
// disk when the call returns.
class Profile {
public:
    virtual ~Profile() = default;

    // The value of `key` in `section`, or `fallback` when either is missing.
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& fallback) = 0;
    // False when the write was refused.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // Removes the section with all its keys; false when refused.
    virtual bool EraseSection(const std::string& section) = 0;

    // The name the file is known by in messages: the full path of the file the program
    // uses (the per-user one, or the one beside the executable), which tells the user
    // where to look.
    virtual std::string FileName() const = 0;
};

} // namespace tvm
