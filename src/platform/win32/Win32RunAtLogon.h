#pragma once

#include "settings/RunAtLogon.h"

#include <string>

namespace tvm {

// The Run value under HKEY_LOCAL_MACHINE through advapi32. REG_EXPAND_SZ counts as text
// and is returned as stored, unexpanded: it is a string that an installer may well have
// written, and reporting it as the wrong type would raise an error over a valid entry.
class Win32RunAtLogon : public RunAtLogon {
public:
    ReadResult ReadValue(const std::string& name) override;
    bool WriteValue(const std::string& name, const std::string& text) override;
    void DeleteValue(const std::string& name) override;
    std::string ExecutablePath() override;
};

} // namespace tvm
