#include "PeerWorld.h"
#include "Screenshot.h"

#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Dpi.h"

#include <functional>
#include <thread>

namespace tvm::test {
namespace {

struct Seen {
    std::vector<std::string> Buttons;
    RECT Frame{};
    RECT Text{};
    HICON Icon = nullptr;
    RECT IconRect{};
    std::vector<RECT> ButtonRects;
    bool OwnerEnabled = true;
};

// Shows message dialogs and answers them as a user would: a timer of the form's finds
// the dialog by its title, looks at it and acts on it.
class Win32DialogsTest : public PeerTest {
protected:
    void Answer(const char* title, std::function<void(HWND dialog)> act) {
        title_ = title;
        act_ = std::move(act);
        Toolkit.SetMessageHook(Form, [this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message != WM_TIMER || wParam != 79) {
                return false;
            }
            const HWND dialog = FindWindowA("#32770", title_);
            if (dialog == nullptr) {
                return true;
            }
            KillTimer(Window(), 79);
            Look(dialog);
            act_(dialog);
            return true;
        });
        SetTimer(Window(), 79, 30, nullptr);
    }

    void Look(HWND dialog) {
        seen = Seen{};
        GetWindowRect(dialog, &seen.Frame);
        seen.OwnerEnabled = IsWindowEnabled(Window()) != FALSE;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            RECT rect;
            GetWindowRect(child, &rect);
            if (std::string(name) == "Button") {
                seen.Buttons.push_back(Text(child));
                seen.ButtonRects.push_back(rect);
            } else if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                seen.Icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
                seen.IconRect = rect;
            } else {
                GetWindowRect(child, &seen.Text);
            }
        }
    }

    static HWND ButtonOf(HWND dialog, const std::string& caption) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (Text(child) == caption) {
                return child;
            }
        }
        return nullptr;
    }

    static void Press(HWND dialog, const std::string& caption) {
        PostMessageA(ButtonOf(dialog, caption), BM_CLICK, 0, 0);
    }
    static void PressKey(WPARAM key) {
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }
    static HICON SystemIcon(int id) { return LoadIconA(nullptr, MAKEINTRESOURCEA(id)); }

    Win32Dialogs dialogs{Toolkit};
    Seen seen;

private:
    const char* title_ = "";
    std::function<void(HWND)> act_;
};

TEST_F(Win32DialogsTest, ConfirmAsksYesOrNoCentredOnTheScreen) {
    std::string shot;
    Answer("Confirm", [&](HWND dialog) {
        std::string error;
        if (!SaveScreenshot("confirm.png", error)) {
            shot = error;
        }
        Press(dialog, "&No");
    });
    const ModalResult result =
        dialogs.MessageDlg("Save the changes?", MsgDlgType::Confirmation, MsgDlgButtons::YesNo);
    EXPECT_EQ(result, ModalResult::No);
    EXPECT_EQ(seen.Buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen.Icon, SystemIcon(32514));
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(seen.Frame.left + seen.Frame.right, screenWidth, 1);
    EXPECT_NEAR(seen.Frame.top + seen.Frame.bottom, screenHeight, 1);
    EXPECT_EQ(FindWindowA("#32770", "Confirm"), nullptr) << "gone afterwards";
    EXPECT_EQ(shot, "");
}

TEST_F(Win32DialogsTest, EnterAnswersTheFirstButtonAndEscapeTheLast) {
    Answer("Confirm", [](HWND) { PressKey(VK_RETURN); });
    EXPECT_EQ(dialogs.MessageDlg("Go?", MsgDlgType::Confirmation, MsgDlgButtons::YesNo),
              ModalResult::Yes);
    Answer("Confirm", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialogs.MessageDlg("Go?", MsgDlgType::Confirmation, MsgDlgButtons::YesNo),
              ModalResult::No);
    Answer("Warning", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialogs.MessageDlg("Careful.", MsgDlgType::Warning, MsgDlgButtons::OKCancel),
              ModalResult::Cancel);
    EXPECT_EQ(seen.Buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_EQ(seen.Icon, SystemIcon(32515));
    Answer("Information", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialogs.MessageDlg("Done.", MsgDlgType::Information, MsgDlgButtons::OK),
              ModalResult::OK);
    EXPECT_EQ(seen.Buttons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(seen.Icon, SystemIcon(32516));
    Answer("Warning", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialogs.MessageDlg("Careful.", MsgDlgType::Warning, MsgDlgButtons::OKCancel),
              ModalResult::Cancel)
        << "the close box answers as Escape does";
}

TEST_F(Win32DialogsTest, TheCloseBoxOfAQuestionAnswersNeitherYesNorNo) {
    // As the frame's close box sends it; the boot warning clears the options on No only.
    Answer("Warning", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(dialogs.MessageDlg("Are you sure?", MsgDlgType::Warning, MsgDlgButtons::YesNo),
              ModalResult::None);
    Answer("Warning", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(dialogs.MessageDlg("Are you sure?", MsgDlgType::Warning, MsgDlgButtons::YesNo),
              ModalResult::No)
        << "Escape stays No";
}

TEST_F(Win32DialogsTest, AnAnswerSentFromAnotherThreadEndsTheDialogAtOnce) {
    // Automation and accessibility tools send their answer from outside the thread:
    // it is handled inside GetMessage, which returns only for a posted message.
    struct Case {
        const char* Title;
        UINT Message;
        WPARAM WParam;
        std::function<ModalResult()> Show;
        ModalResult Expected;
    };
    const Case cases[] = {
        {"Confirm", WM_COMMAND, IDOK,
         [&] {
             return dialogs.MessageDlg("Go?", MsgDlgType::Confirmation, MsgDlgButtons::OKCancel);
         },
         ModalResult::OK},
        {"Confirm", WM_COMMAND, IDCANCEL,
         [&] {
             return dialogs.MessageDlg("Go?", MsgDlgType::Confirmation, MsgDlgButtons::OKCancel);
         },
         ModalResult::Cancel},
        {"Warning", WM_CLOSE, 0,
         [&] { return dialogs.MessageDlg("Sure?", MsgDlgType::Warning, MsgDlgButtons::YesNo); },
         ModalResult::None},
        {"Tavelmorind", WM_COMMAND, IDOK,
         [&] {
             dialogs.ErrorBox("Tavelmorind", "Unable to write to Tavelmorind.ini.");
             return ModalResult::OK;
         },
         ModalResult::OK},
    };
    // The loop's end shows as the other windows being enabled again; destroying the
    // dialog afterwards takes Wine about 2 s without a window manager.
    Form.Show();
    const HWND other = Window();
    const DWORD thread = GetCurrentThreadId();
    for (const Case& c : cases) {
        ULONGLONG sentAt = 0;
        ULONGLONG endedAt = 0;
        std::thread answerer([&] {
            HWND dialog = nullptr;
            for (int i = 0; i < 500 && dialog == nullptr; ++i) {
                Sleep(10);
                dialog = FindWindowA("#32770", c.Title);
            }
            // Until the window system has done with the new window: a repaint it still
            // has to deliver would wake the loop by chance.
            Sleep(500);
            sentAt = GetTickCount64();
            SendMessageA(dialog, c.Message, c.WParam, 0);
            for (int i = 0; i < 600 && !IsWindowEnabled(other); ++i) {
                Sleep(5);
            }
            endedAt = GetTickCount64();
            // A loop that missed the answer is woken: the test fails instead of hanging.
            PostThreadMessageA(thread, WM_NULL, 0, 0);
        });
        const ModalResult result = c.Show();
        answerer.join();
        EXPECT_EQ(result, c.Expected) << c.Title << " " << c.Message << " " << c.WParam;
        EXPECT_LT(endedAt - sentAt, 100u) << c.Title << " " << c.Message << " " << c.WParam;
    }
}

TEST_F(Win32DialogsTest, LongTextWrapsAtHalfTheScreen) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "The display mode could not be changed. ";
    }
    Answer("Warning", [](HWND dialog) { Press(dialog, "OK"); });
    dialogs.MessageDlg(text, MsgDlgType::Warning, MsgDlgButtons::OK);
    EXPECT_LE(seen.Text.right - seen.Text.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(seen.Text.right - seen.Text.left, GetSystemMetrics(SM_CXSCREEN) / 3);
    EXPECT_GT(seen.Text.bottom - seen.Text.top, 50) << "many lines";
}

TEST_F(Win32DialogsTest, ErrorBoxCarriesTheTitleTheErrorIconAndOK) {
    Answer("Tavelmorind", [](HWND dialog) { Press(dialog, "OK"); });
    dialogs.ErrorBox("Tavelmorind", "Not enough timers available.");
    EXPECT_EQ(seen.Buttons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(seen.Icon, SystemIcon(32513));
}

TEST_F(Win32DialogsTest, SpeaksInTheToolkitsFontForItsDpi) {
    HFONT font = nullptr;
    HFONT shared = nullptr;
    Answer("Information", [&](HWND dialog) {
        font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dialog, 100), WM_GETFONT, 0, 0));
        shared = Toolkit.Fonts().At(WindowDpi(dialog));
        Press(dialog, "OK");
    });
    dialogs.MessageDlg("Saved.", MsgDlgType::Information, MsgDlgButtons::OK);
    EXPECT_NE(font, nullptr);
    EXPECT_EQ(font, shared) << "no font of its own to lose";
}

TEST_F(Win32DialogsTest, TheOtherWindowsWaitWhileItShows) {
    Form.Show();
    Answer("Information", [](HWND dialog) { Press(dialog, "OK"); });
    dialogs.MessageDlg("Saved.", MsgDlgType::Information, MsgDlgButtons::OK);
    EXPECT_FALSE(seen.OwnerEnabled);
    EXPECT_TRUE(IsWindowEnabled(Window()));
}

// At the display's DPI the icon and the buttons take the DPI's size, and icon, text and
// buttons stay clear of each other; the question and the error box are photographed.
TEST_F(Win32DialogsTest, LaysOutItsIconTextAndButtonsAtTheDpi) {
    const UINT dpi = SystemDpi();
    const std::string prefix = "dpi" + std::to_string(dpi) + "-";
    const auto check = [&](const std::string& what) {
        EXPECT_EQ(seen.IconRect.right - seen.IconRect.left, ScaleToDpi(32, dpi)) << what;
        RECT both;
        EXPECT_FALSE(IntersectRect(&both, &seen.IconRect, &seen.Text)) << what;
        for (const RECT& button : seen.ButtonRects) {
            EXPECT_EQ(button.right - button.left, ScaleToDpi(75, dpi)) << what;
            EXPECT_EQ(button.bottom - button.top, ScaleToDpi(23, dpi)) << what;
            EXPECT_FALSE(IntersectRect(&both, &button, &seen.Text)) << what;
            EXPECT_FALSE(IntersectRect(&both, &button, &seen.IconRect)) << what;
        }
    };
    const auto photograph = [&](const std::string& name, const char* button) {
        return [name, button](HWND dialog) {
            std::string error;
            SaveScreenshot(name, error);
            Press(dialog, button);
        };
    };
    Answer("Warning", photograph(prefix + "message.png", "&No"));
    dialogs.MessageDlg("Changing the screen mode to 1280x720 - 32 BPP (360Hz).  Are you "
                       "absolutely sure you want to change the screen mode?",
                       MsgDlgType::Warning, MsgDlgButtons::YesNo);
    check("question");
    Answer("Tavelmorind", photograph(prefix + "error.png", "OK"));
    dialogs.ErrorBox("Tavelmorind", "'abc' is not a valid integer value.");
    check("error box");
}

} // namespace
} // namespace tvm::test
