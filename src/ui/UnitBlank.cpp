#include "ui/UnitBlank.h"

#include "display/DisplayService.h"
#include "power/PowerService.h"
#include "ui/Services.h"

namespace tvm {

namespace {
constexpr std::intptr_t kMonitorOn = -1;
}

TBlankForm::TBlankForm(TApplication& app, DisplayService& display, PowerService& power,
                       SystemService& system)
    : TForm(app), display_(display), power_(power), system_(system) {
    SetCaption("BlankForm");
    BorderStyle = TBorderStyle::None;
    BlackBackground = true;
    HideCursor = true;
    TopMost = true;
    OnShow = [this] { FormShow(); };
    OnShown = [this] { FormShown(); };
    OnHide = [this] { FormHide(); };
    OnKeyDown = [this](int key) { FormKeyDown(key); };
    OnMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
}

void TBlankForm::FormShow() {
    LastMouseX = -1;
    LastMouseY = -1;
    power_.SetScreenSaverActive(false);
    // The primary display only; the peer places the window topmost there.
    Left = 0;
    Top = 0;
    Width = static_cast<int>(display_.CurrentWidth());
    Height = static_cast<int>(display_.CurrentHeight());
    ClientWidth = Width;
    ClientHeight = Height;
}

void TBlankForm::FormShown() {
    if (PowerAction > 0) {
        power_.SendSysCommand(PowerService::ScMonitorPower, PowerAction);
    }
}

void TBlankForm::FormKeyDown(int /*key*/) {
    Hide();
}

void TBlankForm::FormMouseMove(int x, int y) {
    // The first mouse message after showing only tells where the mouse rests.
    if (LastMouseX == -1) {
        LastMouseX = x;
        LastMouseY = y;
    } else if (x != LastMouseX || y != LastMouseY) {
        Hide();
    }
}

void TBlankForm::FormHide() {
    if (PowerAction > 0) {
        power_.SendSysCommand(PowerService::ScMonitorPower, kMonitorOn);
    }
    power_.SetScreenSaverActive(true);
    system_.TrimWorkingSet();
}

} // namespace tvm
