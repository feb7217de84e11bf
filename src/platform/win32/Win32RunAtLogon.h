#pragma once

#include "settings/RunAtLogon.h"

#include <string>

namespace tvm {

// The Run values through advapi32's W calls, so that a path outside the system's ANSI
// code page is stored as it is. REG_EXPAND_SZ counts as text and is returned as stored,
// unexpanded: it is a string that an installer may well have written, and reporting it
// as the wrong type would raise an error over a valid entry.
class Win32RunAtLogon : public RunAtLogon {
public:
    ReadResult ReadValue(Hive hive, const std::string& name) override;
    bool WriteValue(const std::string& name, const std::string& text) override;
    DeleteStatus DeleteValue(Hive hive, const std::string& name) override;
    std::string ExecutablePath() override;
};

} // namespace tvm
