#pragma once

#include "ui/widgets/Form.h"

#include <cstdint>

namespace tvm {

class DisplayService;
class PowerService;
class SystemService;

// A black window over the primary display that goes away at the first key press or
// real mouse movement; while it shows, the monitor may be in standby or off.
class TBlankForm : public TForm {
public:
    TBlankForm(TApplication& app, DisplayService& display, PowerService& power,
               SystemService& system);

    // What the window does to the monitor while it shows: 0 blank only, 1 standby
    // (low power), 2 off.
    std::int32_t PowerAction = 0;
    std::int32_t LastMouseX = -1;
    std::int32_t LastMouseY = -1;

    void FormShow();
    // The part of showing that needs the black window on the screen: the monitor goes
    // into standby or off only once it is there.
    void FormShown();
    void FormKeyDown(int key);
    void FormMouseMove(int x, int y);
    void FormHide();

private:
    DisplayService& display_;
    PowerService& power_;
    SystemService& system_;
};

} // namespace tvm
