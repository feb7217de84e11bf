#pragma once

#include "display/ModeSwitcher.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/StdCtrls.h"
#include "ui/widgets/Timer.h"

#include <cstdint>

namespace tvm {

class SystemService;

// "Confirm Display Settings": a manual mode switch must be kept within ten seconds,
// or the previous mode comes back and overriding goes Off.
class TTimerForm : public TForm {
public:
    TTimerForm(TApplication& app, ModeSwitcher& switcher, DisplayService& display,
               SystemService& system);

    TGroupBox GroupBox1{*this};
    TLabel Label1{*this};
    TLabel Label2{*this};
    TLabel Label3{*this};
    TButton BitBtnYes{*this};
    TButton BitBtnNo{*this};
    TTimer Timer1;

    void FormShow();
    void Timer1Timer();
    void BitBtnYesClick() { Hide(); }
    void BitBtnNoClick();
    void FormHide();

private:
    ModeSwitcher& switcher_;
    DisplayService& display_;
    SystemService& system_;
};

} // namespace tvm
