// The program's own windows realized by the Win32 toolkit over the simulated platform
// services: their layout as the user sees it, and a screenshot of each for review.
#include "PumpFor.h"
#include "Screenshot.h"

#include "app/Program.h"
#include "platform/sim/IniFileProfile.h"
#include "platform/sim/MemoryRunAtLogon.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimDisplay.h"
#include "platform/sim/SimShell.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Toolkit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace tvm::test {
namespace {

// The program declares per-monitor DPI awareness (v2) in its manifest; the tests' windows
// are made the same way, and so before any of them exists.
[[maybe_unused]] const bool kPerMonitorAware = [] {
    using SetAwarenessFn = BOOL(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetAwarenessFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    return set != nullptr && set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) != FALSE;
}();

// The DPI the run set up for Wine (tools/run-wine-tests.sh with TAVELMORIND_DPI).
UINT RunDpi() {
    const char* dpi = std::getenv("TAVELMORIND_DPI");
    return dpi != nullptr && *dpi != '\0' ? static_cast<UINT>(std::atoi(dpi)) : LayoutDpi;
}

constexpr const char* kModes = "640 480 32 60,72,75,85,100\n800 600 32 56,60,72,75,85 *\n"
                               "1024 768 32 60,70,75,85\n1024 768 16 60,75\n";

// A glyph strip as the program's pictures are: two 16x16 squares, each a block of
// colour on the transparent colour.
HBITMAP MakeGlyphStrip() {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP strip = CreateCompatibleBitmap(screen, 32, 16);
    const HGDIOBJ before = SelectObject(dc, strip);
    const auto fill = [dc](RECT rect, COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    };
    fill(RECT{0, 0, 32, 16}, RGB(255, 0, 255));
    fill(RECT{4, 4, 12, 12}, RGB(0, 128, 0));
    fill(RECT{20, 4, 28, 12}, RGB(128, 128, 128));
    SelectObject(dc, before);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return strip;
}

// The forms realized by the toolkit alone, without the program's application window
// and tray; the toolkit is made with the first form, when the application exists, and
// gives every button with a glyph the same picture.
class ToolkitWindows : public WindowSystem {
public:
    ToolkitWindows(Win32MessageLoop& loop, HBITMAP glyph) : loop_(loop), glyph_(glyph) {}
    void Realize(TForm& form) override {
        if (!toolkit_) {
            toolkit_ = std::make_unique<Win32Toolkit>(loop_);
            toolkit_->SetGlyphs({{TGlyph::OK, glyph_},
                                 {TGlyph::Cancel, glyph_},
                                 {TGlyph::Yes, glyph_},
                                 {TGlyph::No, glyph_},
                                 {TGlyph::Retry, glyph_},
                                 {TGlyph::Close, glyph_},
                                 {TGlyph::Save, glyph_}});
        }
        toolkit_->Realize(form);
    }
    void RealizeMain(TForm& main, ShellEvents& /*events*/) override { Realize(main); }
    void HideApplicationWindow() override {}
    void RunMessageLoop(TApplication&) override {}
    Win32Toolkit& Toolkit() const { return *toolkit_; }

private:
    Win32MessageLoop& loop_;
    HBITMAP glyph_;
    std::unique_ptr<Win32Toolkit> toolkit_;
};

class ProgramWindows : public ::testing::Test {
protected:
    ProgramWindows() {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        iniPath_ = std::string(folder) + "tavelmorind-windows-test.ini";
        DeleteFileA(iniPath_.c_str());
        WritePrivateProfileStringA("Init", "Program Run Before", "1", iniPath_.c_str());
        EXPECT_TRUE(program_.Start());
        loop_.PumpPending();
    }
    ~ProgramWindows() override {
        DeleteFileA(iniPath_.c_str());
        DeleteObject(glyph_);
    }

    // Where a control sits in its form's client area.
    static POINT At(const TControl& control) {
        RECT rect;
        GetWindowRect(Win32Toolkit::Handle(control), &rect);
        POINT p{rect.left, rect.top};
        ScreenToClient(Win32Toolkit::Handle(control.Owner()), &p);
        return p;
    }
    static bool Shown(const TControl& control) {
        return IsWindowVisible(Win32Toolkit::Handle(control)) != FALSE;
    }
    // A control's rectangle in its form's client area.
    static RECT RectOf(const TControl& control) {
        RECT rect;
        GetWindowRect(Win32Toolkit::Handle(control), &rect);
        MapWindowPoints(nullptr, Win32Toolkit::Handle(control.Owner()),
                        reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static std::string Shown(const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
               std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
    }
    // How many captions are wider than their control, in the control's own font, and
    // how many were at 96 DPI (the layout's sizes, the same face at 96 DPI).
    static void CountCutCaptions(const TControl& control, int& now, int& at96);
    // The window's client size and every control's rectangle are the layout's at `dpi`,
    // and controls overlap only where the layout overlaps them.
    static void ExpectLaidOutAt(const TForm& form, UINT dpi, int& cut, int& cutAt96);

    void Screenshot(const std::string& name) {
        PumpFor(loop_, 300);
        std::string error;
        if (!SaveScreenshot(name, error)) {
            std::printf("no screenshot %s: %s\n", name.c_str(), error.c_str());
        }
    }

    std::string iniPath_;
    SimDisplay display_{SimDisplay::ParseModeList(kModes, "test"), 1};
    ScriptedDialogs dialogs_;
    Win32MessageLoop loop_;
    Win32Timers timers_; // without a shell window, no timer runs
    IniFileProfile ini_{iniPath_, "Tavelmorind.ini"};
    MemoryRunAtLogon runKey_{"C:\\Tavelmorind.exe"};
    VirtualClock clock_;
    SimTray tray_;
    SimSystem system_{clock_};
    SimPower power_;
    SimSingleInstance instance_;
    HBITMAP glyph_ = MakeGlyphStrip();
    ToolkitWindows windows_{loop_, glyph_};
    Platform platform_{dialogs_, timers_,   MainServices{display_, ini_, runKey_, tray_, system_},
                       power_,   instance_, windows_};
    Program program_{platform_};
};

TEST_F(ProgramWindows, AdvancedSettingsShowsItsFiveTabsLaidOutInTheirGroups) {
    TAdvanceForm& dialog = *program_.AdvanceForm;
    program_.MainForm->Button1.Click();
    loop_.PumpPending();
    ASSERT_TRUE(IsWindowVisible(Win32Toolkit::Handle(dialog)));
    RECT client;
    GetClientRect(Win32Toolkit::Handle(dialog), &client);
    EXPECT_EQ(client.right, 457);
    EXPECT_EQ(client.bottom, 225);

    // The page control at 8,8, its page below the tabs, the group at 8,8 in the page,
    // the check box at 8,24 in the group.
    const POINT check = At(dialog.CheckBox5);
    EXPECT_EQ(check.x, 8 + 4 + 8 + 8);
    EXPECT_EQ(check.y, 8 + 24 + 8 + 24);
    EXPECT_EQ(At(dialog.BitBtnClose).x, 376);
    EXPECT_EQ(At(dialog.BitBtnClose).y, 192);

    const std::vector<const TControl*> firstOnPage = {&dialog.CheckBox5, &dialog.CheckBox1,
                                                      &dialog.SpinEdit1, &dialog.RadioButton1,
                                                      &dialog.SpinEdit4};
    for (int page = 0; page < 5; ++page) {
        dialog.PageControlMain.SetActivePageIndex(page);
        loop_.PumpPending();
        for (int other = 0; other < 5; ++other) {
            EXPECT_EQ(Shown(*firstOnPage[static_cast<std::size_t>(other)]), other == page)
                << "page " << page << ", control of page " << other;
        }
        Screenshot("advanced-tab" + std::to_string(page + 1) + ".png");
    }
    dialog.BitBtnClose.Click();
    loop_.PumpPending();
    EXPECT_FALSE(IsWindowVisible(Win32Toolkit::Handle(dialog)));
}

TEST_F(ProgramWindows, AboutAndConfirmationLayOutTheirControls) {
    program_.MainForm->About1->Click();
    loop_.PumpPending();
    TAboutForm& about = *program_.AboutForm;
    EXPECT_EQ(At(about.verLabel).x, 8 + 48);
    EXPECT_EQ(At(about.CloseBitBtn).x, 248);
    Screenshot("about.png");
    about.CloseBitBtn.Click();

    program_.MainForm->Switcher.SwitchToModeByKey("640x480 - 32 BPP");
    loop_.PumpPending();
    TTimerForm& confirm = *program_.TimerForm;
    ASSERT_TRUE(IsWindowVisible(Win32Toolkit::Handle(confirm)));
    EXPECT_EQ(At(confirm.Label3).x, 8 + 8);
    EXPECT_EQ(At(confirm.Label3).y, 8 + 96);
    char text[64] = {};
    GetWindowTextA(Win32Toolkit::Handle(confirm.Label3), text, sizeof text);
    EXPECT_STREQ(text, "10 seconds");
    Screenshot("confirm-display-settings.png");
    confirm.BitBtnYes.Click();
    loop_.PumpPending();
}

TEST_F(ProgramWindows, BevelIsABottomLineGridRowsAreSixteenHighTabsHotTrack) {
    TMainForm& main = *program_.MainForm;
    main.Show();
    loop_.PumpPending();
    const HWND bevel = Win32Toolkit::Handle(main.Bevel1);
    RECT rect;
    GetClientRect(bevel, &rect);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(bevel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < rect.bottom; ++y) {
        EXPECT_EQ(GetPixel(dc, rect.right / 2, y) == face, y < rect.bottom - 2) << "row " << y;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    RECT row{LVIR_BOUNDS, 0, 0, 0};
    const HWND grid = Win32Toolkit::Handle(main.MainStringGrid);
    ASSERT_TRUE(SendMessageA(grid, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    RECT next{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(grid, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&next)));
    EXPECT_EQ(next.top - row.top, 16);

    const HWND tabs = Win32Toolkit::Handle(program_.AdvanceForm->PageControlMain);
    EXPECT_NE(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_HOTTRACK, 0);
    Screenshot("main-window-table.png");
}

void ProgramWindows::CountCutCaptions(const TControl& control, int& now, int& at96) {
    const bool captioned = dynamic_cast<const TButton*>(&control) != nullptr ||
                           dynamic_cast<const TCheckBox*>(&control) != nullptr ||
                           dynamic_cast<const TRadioButton*>(&control) != nullptr ||
                           (dynamic_cast<const TLabel*>(&control) != nullptr &&
                            control.Width() > 0 && !static_cast<const TLabel&>(control).WordWrap);
    if (!captioned || control.Caption().empty()) {
        return;
    }
    std::string text;
    for (std::size_t i = 0; i < control.Caption().size(); ++i) {
        if (control.Caption()[i] == '&' && i + 1 < control.Caption().size()) {
            ++i;
        }
        text += control.Caption()[i];
    }
    const HWND window = Win32Toolkit::Handle(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    GetObjectA(font, sizeof face, &face);
    const UINT dpi = WindowDpi(window);
    face.lfHeight = ScaleFromDpi(face.lfHeight, dpi);
    const HFONT font96 = CreateFontIndirectA(&face);
    const HDC dc = GetDC(nullptr);
    SIZE extent{};
    const HGDIOBJ before = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const RECT rect = RectOf(control);
    now += extent.cx > rect.right - rect.left ? 1 : 0;
    SelectObject(dc, font96);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    at96 += extent.cx > control.Width() ? 1 : 0;
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    DeleteObject(font96);
}

void ProgramWindows::ExpectLaidOutAt(const TForm& form, UINT dpi, int& cut, int& cutAt96) {
    const HWND window = Win32Toolkit::Handle(form);
    const auto scale = [dpi](int length) { return ScaleToDpi(length, dpi); };
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, scale(form.ClientWidth), 1) << form.Caption();
    EXPECT_NEAR(client.bottom, scale(form.ClientHeight), 1) << form.Caption();

    struct Placed {
        const TControl* Control;
        RECT Actual;
        RECT Layout; // 96 DPI
    };
    std::vector<Placed> placed;
    for (const TControl* control : form.Controls()) {
        const HWND handle = Win32Toolkit::Handle(*control);
        if (handle == nullptr || !IsWindowVisible(handle) ||
            dynamic_cast<const TTabSheet*>(control) != nullptr) {
            continue;
        }
        const RECT actual = RectOf(*control);
        const std::string name =
            form.Caption() + ": " + control->Caption() + " at " + Shown(actual);
        const bool statusBar = dynamic_cast<const TStatusBar*>(control) != nullptr;
        RECT layout{control->FormLeft(), control->FormTop(), 0, 0};
        layout.right =
            layout.left + (control->Width() > 0 ? control->Width()
                                                : ScaleFromDpi(actual.right - actual.left, dpi));
        layout.bottom =
            layout.top + (control->Height() > 0 ? control->Height()
                                                : ScaleFromDpi(actual.bottom - actual.top, dpi));
        if (statusBar) {
            // It lies along the bottom edge, as high as its font makes it.
            layout = RECT{0, form.ClientHeight - ScaleFromDpi(actual.bottom - actual.top, dpi),
                          form.ClientWidth, form.ClientHeight};
        } else {
            EXPECT_NEAR(actual.left, scale(control->FormLeft()), 1) << name;
            EXPECT_NEAR(actual.top, scale(control->FormTop()), 1) << name;
            // A combo box is as high as its font; a spin field's arrows are a window of
            // their own beside the field.
            const bool spin = dynamic_cast<const TSpinEdit*>(control) != nullptr;
            if (control->Width() > 0 && !spin) {
                EXPECT_NEAR(actual.right - actual.left, scale(control->Width()), 1) << name;
            }
            if (control->Height() > 0 && dynamic_cast<const TComboBox*>(control) == nullptr) {
                EXPECT_NEAR(actual.bottom - actual.top, scale(control->Height()), 1) << name;
            }
        }
        if (const auto* grid = dynamic_cast<const TStringGrid*>(control)) {
            RECT first{LVIR_BOUNDS, 0, 0, 0};
            RECT second{LVIR_BOUNDS, 0, 0, 0};
            ASSERT_TRUE(SendMessageA(handle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
            ASSERT_TRUE(
                SendMessageA(handle, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
            EXPECT_NEAR(second.top - first.top, scale(grid->DefaultRowHeight), 1) << "row height";
        }
        CountCutCaptions(*control, cut, cutAt96);
        placed.push_back({control, actual, layout});
    }
    for (std::size_t a = 0; a < placed.size(); ++a) {
        for (std::size_t b = a + 1; b < placed.size(); ++b) {
            const HWND hostA = GetParent(Win32Toolkit::Handle(*placed[a].Control));
            const HWND hostB = GetParent(Win32Toolkit::Handle(*placed[b].Control));
            RECT both;
            if (hostA != hostB || !IntersectRect(&both, &placed[a].Actual, &placed[b].Actual)) {
                continue;
            }
            EXPECT_TRUE(IntersectRect(&both, &placed[a].Layout, &placed[b].Layout))
                << form.Caption() << ": " << placed[a].Control->Caption() << " ("
                << Shown(placed[a].Actual) << ") overlaps " << placed[b].Control->Caption() << " ("
                << Shown(placed[b].Actual) << ")";
        }
    }
}

// Wine reads its DPI from LogPixels; each window is realized at it and laid out as the
// layout scaled by DPI/96.
TEST_F(ProgramWindows, EveryWindowIsLaidOutAtTheDisplaysDpi) {
    const UINT dpi = RunDpi();
    const HDC screen = GetDC(nullptr);
    const int logPixels = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    std::printf("DPI: GetDpiForSystem %u, LOGPIXELSX %d, asked for %u\n", SystemDpi(), logPixels,
                dpi);
    ASSERT_EQ(SystemDpi(), dpi) << "Wine did not take the DPI";
    EXPECT_EQ(logPixels, static_cast<int>(dpi));
    const std::string prefix = "dpi" + std::to_string(dpi) + "-";
    int cut = 0;
    int cutAt96 = 0;

    TMainForm& main = *program_.MainForm;
    main.Show();
    loop_.PumpPending();
    ExpectLaidOutAt(main, dpi, cut, cutAt96);
    Screenshot(prefix + "main.png");
    main.Hide();

    TAdvanceForm& advanced = *program_.AdvanceForm;
    advanced.Show();
    EXPECT_EQ(TabCtrl_GetRowCount(Win32Toolkit::Handle(advanced.PageControlMain)), 1)
        << "the tabs stay in one row";
    for (int page = 0; page < 5; ++page) {
        advanced.PageControlMain.SetActivePageIndex(page);
        loop_.PumpPending();
        ExpectLaidOutAt(advanced, dpi, cut, cutAt96);
        Screenshot(prefix + "advanced-tab" + std::to_string(page + 1) + ".png");
    }
    advanced.Hide();

    TAboutForm& about = *program_.AboutForm;
    about.Show();
    loop_.PumpPending();
    ExpectLaidOutAt(about, dpi, cut, cutAt96);
    Screenshot(prefix + "about.png");
    about.Hide();

    program_.MainForm->Switcher.SwitchToModeByKey("640x480 - 32 BPP");
    loop_.PumpPending();
    TTimerForm& confirm = *program_.TimerForm;
    ExpectLaidOutAt(confirm, dpi, cut, cutAt96);
    RECT frame;
    GetWindowRect(Win32Toolkit::Handle(confirm), &frame);
    EXPECT_NEAR(frame.left + frame.right, static_cast<int>(display_.CurrentWidth()), 2)
        << "centred on the (simulated) screen";
    Screenshot(prefix + "confirm-display-settings.png");
    confirm.BitBtnYes.Click();
    loop_.PumpPending();

    // The buttons' pictures, as the buttons with a glyph get them at this DPI (a button
    // shows them only with version 6 of the common controls, which this program lacks).
    int glyphWidth = 0;
    int glyphHeight = 0;
    ASSERT_TRUE(ImageList_GetIconSize(windows_.Toolkit().GlyphImages(TGlyph::Close, dpi),
                                      &glyphWidth, &glyphHeight));
    EXPECT_EQ(glyphWidth, ScaleToDpi(16, dpi));
    EXPECT_EQ(glyphHeight, ScaleToDpi(16, dpi));

    std::printf("captions wider than their control: %d (%d at 96 DPI)\n", cut, cutAt96);
    EXPECT_LE(cut, cutAt96);
}

// A window dragged to a monitor of another DPI takes the rectangle the system suggests
// and lays itself out at that DPI; and back again.
TEST_F(ProgramWindows, DpiChangeTakesTheSuggestedRectangleAndScalesTheLayout) {
    TMainForm& main = *program_.MainForm;
    main.Show();
    loop_.PumpPending();
    const HWND window = Win32Toolkit::Handle(main);
    const UINT before = WindowDpi(window);
    int cut = 0;
    int cutAt96 = 0;
    for (const UINT dpi : {before * 3 / 2, before}) {
        // What the system suggests: the client area at the new scale inside the frame.
        // Wine draws every frame at its one DPI, so the frame is the one it has.
        RECT frame;
        RECT client;
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        RECT suggested{frame.left, frame.top,
                       frame.right - client.right + ScaleToDpi(main.ClientWidth, dpi),
                       frame.bottom - client.bottom + ScaleToDpi(main.ClientHeight, dpi)};
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        loop_.PumpPending();
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left) << dpi;
        EXPECT_EQ(frame.bottom - frame.top, suggested.bottom - suggested.top) << dpi;
        ExpectLaidOutAt(main, dpi, cut, cutAt96);
        LOGFONTA face{};
        GetObjectA(reinterpret_cast<HFONT>(
                       SendMessageA(Win32Toolkit::Handle(main.Button1), WM_GETFONT, 0, 0)),
                   sizeof face, &face);
        EXPECT_EQ(face.lfHeight, -ScaleToDpi(11, dpi)) << dpi;
        EXPECT_EQ(main.MainStringGrid.ColWidth(1), main.Width - 210) << "in the layout's units";
    }
    EXPECT_EQ(main.Width, 443);
    main.Hide();
}

} // namespace
} // namespace tvm::test
