#include "PeerWorld.h"

#include <cstring>

namespace tvm::test {
namespace {

class Win32PeerSpin : public PeerTest {
protected:
    HWND Field() const { return Window(Form.Spin); }
    HWND Arrows() const { return GetWindow(Field(), GW_HWNDNEXT); }
};

TEST_F(Win32PeerSpin, ShowsTheModelsValueAndRange) {
    EXPECT_EQ(Text(Field()), "5000");
    EXPECT_EQ(SendMessageA(Field(), EM_GETLIMITTEXT, 0, 0), 5);
    int low = 0;
    int high = 0;
    SendMessageA(Arrows(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1000);
    EXPECT_EQ(high, 60000);
    EXPECT_EQ(SendMessageA(Arrows(), UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(Field()));
    EXPECT_EQ(GetWindowLongPtrA(Arrows(), GWL_STYLE) & UDS_SETBUDDYINT, 0);

    Form.Spin.SetValue(90000);
    EXPECT_EQ(Text(Field()), "60000");
}

TEST_F(Win32PeerSpin, ArrowKeysStepTheModel) {
    SetFocus(Field());
    Key(VK_UP);
    EXPECT_EQ(Form.Spin.Value(), 6000);
    EXPECT_EQ(Text(Field()), "6000");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Form.Spin.Value(), 4000);
    EXPECT_EQ(Text(Field()), "4000");
}

TEST_F(Win32PeerSpin, TypingIsTypeTextAndLeavingTheFieldClamps) {
    SetFocus(Field());
    SendMessageA(Field(), EM_SETSEL, 0, -1);
    Char(Field(), '7');
    EXPECT_EQ(Form.Spin.Text(), "7");
    EXPECT_EQ(Form.Spin.Value(), 1000) << "read clamped";
    SetFocus(Window(Form.Check));
    Loop.PumpPending();
    EXPECT_EQ(Form.Spin.Text(), "1000");
    EXPECT_EQ(Text(Field()), "1000");
}

TEST_F(Win32PeerSpin, OnlyDigitsAndASignAreTypedOrPasted) {
    SetFocus(Field());
    SendMessageA(Field(), EM_SETSEL, 0, -1);
    for (char key : std::string("2O0m-")) {
        Char(Field(), key);
    }
    EXPECT_EQ(Text(Field()), "20-");
    EXPECT_EQ(Form.Spin.Text(), "20-");

    ASSERT_TRUE(OpenClipboard(Window()));
    EmptyClipboard();
    const HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(GlobalLock(text), "1500ms", 7);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    SendMessageA(Field(), EM_SETSEL, 0, -1);
    SendMessageA(Field(), WM_PASTE, 0, 0);
    Loop.PumpPending();
    EXPECT_EQ(Form.Spin.Text(), "1500");
    EXPECT_EQ(Text(Field()), "1500");
}

} // namespace
} // namespace tvm::test
