// The blanking window realized by the Win32 toolkit: what Windows asks of a window
// that is to end at any key, and the order of showing and switching the monitor off.
#include "PeerWorld.h"

#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/VirtualClock.h"
#include "power/PowerService.h"
#include "ui/UnitBlank.h"

namespace tvm::test {
namespace {

// Notes whether the blanking window could be seen when the monitor went off.
class WatchingPower : public PowerService {
public:
    void SendSysCommand(std::uint32_t command, std::intptr_t lParam) override {
        if (command == ScMonitorPower && lParam > 0) {
            VisibleWhenOff = IsWindowVisible(Window) != FALSE;
        }
    }
    void SetScreenSaverActive(bool /*active*/) override {}
    HWND Window = nullptr;
    bool VisibleWhenOff = false;
};

class Win32BlankForm : public PeerTest {
protected:
    Win32BlankForm() {
        Toolkit.Realize(blank);
        power.Window = Win32Toolkit::Handle(blank);
    }
    SimDisplay display{SimDisplay::ParseModeList("640 480 32 60\n", "test")};
    VirtualClock clock;
    SimSystem system{clock};
    WatchingPower power;
    TBlankForm blank{App, display, power, system};
};

TEST_F(Win32BlankForm, ShowsBeforeTheMonitorGoesOffTakesTheFocusAndEndsAtAnyKey) {
    // Without the focus, Windows sends every key to the active window as WM_SYSKEYDOWN;
    // Alt and F10 come so anyway.
    const struct {
        UINT Message;
        WPARAM Key;
    } keys[] = {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_F10}, {WM_KEYDOWN, 'A'}};
    for (const auto& key : keys) {
        power.VisibleWhenOff = false;
        blank.PowerAction = 2;
        blank.Show();
        Loop.PumpPending();
        EXPECT_TRUE(power.VisibleWhenOff) << "the black window shows first";
        EXPECT_EQ(GetFocus(), Win32Toolkit::Handle(blank));
        PostMessageA(Win32Toolkit::Handle(blank), key.Message, key.Key, 1);
        Loop.PumpPending();
        EXPECT_FALSE(blank.Visible()) << key.Message << " " << key.Key;
    }
}

} // namespace
} // namespace tvm::test
