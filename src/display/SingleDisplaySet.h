#pragma once

#include "display/DisplaySet.h"

namespace tvm {

// A desktop of one display, the primary: for a platform that knows no other.
class SingleDisplaySet final : public DisplaySet {
public:
    explicit SingleDisplaySet(DisplayService& primary) : primary_(primary) {}

    std::vector<DisplayInfo> Attached() override {
        return {DisplayInfo{"\\\\.\\DISPLAY1", "", "", 1, true}};
    }
    DisplayService& Display(const std::string& /*deviceName*/) override { return primary_; }
    DisplayService& Primary() override { return primary_; }

private:
    DisplayService& primary_;
};

} // namespace tvm
