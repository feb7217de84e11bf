#pragma once

#include "shell/SystemService.h"

namespace tvm {

class Win32System final : public SystemService {
public:
    void TrimWorkingSet() override;
    void WinExec(const std::string& commandLine, int show) override;
    void Sleep(std::uint32_t ms) override;
    PowerSource ReadPowerSource() override;
};

} // namespace tvm
