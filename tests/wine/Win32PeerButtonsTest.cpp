#include "PeerWorld.h"

#include "platform/win32/Win32Dpi.h"

#include <vsstyle.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>

namespace tvm::test {
namespace {

class Win32PeerButtons : public PeerTest {};

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

// Only version 6 of the common controls draws a button's image list. The program asks
// for it in its manifest; this test program has none, so a test that makes glyph
// buttons activates the same dependency while it runs.
class CommonControls6 {
public:
    CommonControls6() {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        path_ = std::string(folder) + "tavelmorind-common-controls-6.manifest";
        std::ofstream(path_) << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
</assembly>
)";
        ACTCTXA context{};
        context.cbSize = sizeof context;
        context.lpSource = path_.c_str();
        context_ = CreateActCtxA(&context);
        active_ = context_ != INVALID_HANDLE_VALUE && ActivateActCtx(context_, &cookie_) != FALSE;
    }
    ~CommonControls6() {
        if (active_) {
            DeactivateActCtx(0, cookie_);
        }
        if (context_ != INVALID_HANDLE_VALUE) {
            ReleaseActCtx(context_);
        }
        DeleteFileA(path_.c_str());
    }
    CommonControls6(const CommonControls6&) = delete;
    CommonControls6& operator=(const CommonControls6&) = delete;

    bool Active() const { return active_; }

private:
    std::string path_;
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// Colours of the 16-colour palette, so a 4-bit image list keeps them as they are.
constexpr COLORREF kTransparent = RGB(128, 128, 0);
constexpr COLORREF kNormal = RGB(255, 0, 0);
constexpr COLORREF kDisabled = RGB(0, 128, 128);
constexpr COLORREF kBehind = RGB(0, 0, 255);

// A 32-bit top-down bitmap to draw on and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<std::uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        before_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, before_);
        DeleteDC(dc_);
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    // Hands the bitmap over, no longer selected here.
    HBITMAP Release() {
        SelectObject(dc_, before_);
        return std::exchange(bitmap_, nullptr);
    }
    void Fill(int left, int top, int right, int bottom, COLORREF colour) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                pixels_[y * width_ + x] =
                    (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            }
        }
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t pixel = pixels_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // How many pixels have `colour`.
    int Count(COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += At(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

private:
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ before_ = nullptr;
};

// A glyph strip as the program's pictures are: two 16x16 squares side by side, each a
// block of colour on the transparent colour, which the bottom-left pixel shows.
HBITMAP GlyphStrip() {
    Canvas strip(32, 16);
    strip.Fill(0, 0, 32, 16, kTransparent);
    strip.Fill(4, 4, 12, 12, kNormal);
    strip.Fill(20, 4, 28, 12, kDisabled);
    return strip.Release();
}

// What a button shows, painted by the button itself.
int PaintedPixels(HWND button, COLORREF colour) {
    RECT rect;
    GetClientRect(button, &rect);
    Canvas canvas(rect.right, rect.bottom);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.Count(colour);
}

HIMAGELIST ImagesOf(HWND button) {
    BUTTON_IMAGELIST images{};
    SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    EXPECT_TRUE(images.himl == nullptr || images.uAlign == BUTTON_IMAGELIST_ALIGN_LEFT)
        << "the picture goes left of the caption";
    return images.himl;
}

class GlyphForm : public TForm {
public:
    explicit GlyphForm(TApplication& app) : TForm(app) {
        SetCaption("Glyphs");
        ClientWidth = 250;
        ClientHeight = 70;
        Ok.SetBounds(8, 8, 75, 25);
        Ok.SetCaption("OK");
        Ok.Glyph = TGlyph::OK;
        Close.SetBounds(88, 8, 75, 25);
        Close.SetCaption("&Close");
        Close.Glyph = TGlyph::Close;
        Close.SetEnabled(false);
        Save.SetBounds(168, 8, 75, 25);
        Save.SetCaption("&Save");
        Save.Glyph = TGlyph::Save;
        Plain.SetBounds(8, 40, 75, 25);
        Plain.SetCaption("Plain");
    }

    TButton Ok{*this};
    TButton Close{*this};
    TButton Save{*this}; // a glyph the toolkit has no picture for
    TButton Plain{*this};
};

TEST_F(Win32PeerButtons, PushButtonClickReachesTheModelOnce) {
    Click(Window(Form.Switch));
    EXPECT_EQ(Form.SwitchClicks, 1);
    EXPECT_EQ(Text(Window(Form.Switch)), "S&witch Mode");

    Form.Switch.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Window(Form.Switch)));
    Click(Window(Form.Switch));
    EXPECT_EQ(Form.SwitchClicks, 1);

    Form.Switch.SetEnabled(true);
    Form.Switch.SetCaption("&Go");
    EXPECT_EQ(Text(Window(Form.Switch)), "&Go");
    EXPECT_EQ(Form.SwitchClicks, 1) << "mirroring the caption is no click";
}

TEST_F(Win32PeerButtons, DefaultButtonIsTheDefPushButton) {
    EXPECT_EQ(Style(Window(Form.Save)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(Window(Form.Close)) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(Win32PeerButtons, CheckBoxFollowsTheUserAndTheCodeWithoutEchoes) {
    const HWND box = Window(Form.Check);
    EXPECT_EQ(Style(box) & BS_TYPEMASK, BS_CHECKBOX) << "the model decides, not the box";

    Click(box);
    EXPECT_TRUE(Form.Check.Checked());
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Form.CheckClicks, 1);

    Form.Check.SetChecked(false); // by code: the handler runs once, the box follows
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.CheckClicks, 2);
    Loop.PumpPending();
    EXPECT_EQ(Form.CheckClicks, 2);

    SetFocus(box);
    Key(VK_SPACE);
    EXPECT_TRUE(Form.Check.Checked()) << "space toggles a focused check box";
    EXPECT_EQ(Form.CheckClicks, 3);
}

TEST_F(Win32PeerButtons, RadioButtonsLeaveTheDecisionToTheModel) {
    const HWND on = Window(Form.OnRadio);
    const HWND off = Window(Form.OffRadio);
    EXPECT_EQ(Style(on) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_NE(Style(on) & WS_GROUP, 0);
    EXPECT_EQ(Style(off) & WS_GROUP, 0) << "one keyboard group";
    EXPECT_NE(Style(Window(Form.Check)) & WS_GROUP, 0) << "the group ends after the radios";
    EXPECT_NE(Style(on) & WS_TABSTOP, 0) << "none checked: the first is the tab stop";
    EXPECT_EQ(Style(off) & WS_TABSTOP, 0);

    Click(off);
    EXPECT_TRUE(Form.OffRadio.Checked());
    EXPECT_EQ(SendMessageA(off, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(on, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.OffClicks, 1);
    EXPECT_EQ(Form.OnClicks, 0);
    EXPECT_NE(Style(off) & WS_TABSTOP, 0) << "the checked one is the tab stop";
    EXPECT_EQ(Style(on) & WS_TABSTOP, 0);

    Click(off);
    EXPECT_EQ(Form.OffClicks, 1) << "checked already";

    Form.OnRadio.SetChecked(true);
    EXPECT_EQ(SendMessageA(on, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(off, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Form.OnClicks, 1);
    EXPECT_EQ(Form.OffClicks, 1);
}

TEST_F(Win32PeerButtons, ArrowKeysMoveWithinTheRadioGroupAndCheck) {
    Form.OnRadio.SetChecked(true);
    SetFocus(Window(Form.OnRadio));
    Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), Window(Form.OffRadio));
    EXPECT_TRUE(Form.OffRadio.Checked());
    EXPECT_EQ(Form.OffClicks, 1);
    Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), Window(Form.OnRadio)) << "the group wraps";
    EXPECT_TRUE(Form.OnRadio.Checked());
    EXPECT_EQ(Form.OnClicks, 2);
}

TEST_F(Win32PeerButtons, AccessKeyPressesTheButton) {
    SetFocus(Window(Form.Check));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'w', 1 << 29);
    Loop.PumpPending();
    EXPECT_EQ(Form.SwitchClicks, 1);
}

TEST_F(Win32PeerButtons, GlyphButtonsShowTheirPictureAsTheyAreEnabled) {
    CommonControls6 commonControls;
    ASSERT_TRUE(commonControls.Active());
    const HBITMAP ok = GlyphStrip();
    const HBITMAP close = GlyphStrip();
    Toolkit.SetGlyphs({{TGlyph::OK, ok}, {TGlyph::Close, close}});
    DeleteObject(ok); // the toolkit keeps copies
    DeleteObject(close);
    GlyphForm form(App);
    Toolkit.Realize(form);
    Loop.PumpPending();

    const HIMAGELIST images = ImagesOf(Window(form.Ok));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImagesOf(Window(form.Close)),
              Toolkit.GlyphImages(TGlyph::Close, WindowDpi(Window(form.Close))));
    EXPECT_EQ(ImagesOf(Window(form.Save)), nullptr) << "no picture for that glyph";
    EXPECT_EQ(ImagesOf(Window(form.Plain)), nullptr);

    // One picture for each of the six button states, the disabled one fourth.
    ASSERT_EQ(ImageList_GetImageCount(images), 6);
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    for (int index = 0; index < 6; ++index) {
        Canvas canvas(16, 16);
        canvas.Fill(0, 0, 16, 16, kBehind);
        ImageList_Draw(images, index, canvas.Dc(), 0, 0, ILD_NORMAL);
        EXPECT_EQ(canvas.At(8, 8), index == PBS_DISABLED - PBS_NORMAL ? kDisabled : kNormal)
            << "image " << index;
        EXPECT_EQ(canvas.At(0, 15), kBehind) << "image " << index << " is transparent there";
    }

    EXPECT_GT(PaintedPixels(Window(form.Ok), kNormal), 0);
    EXPECT_EQ(PaintedPixels(Window(form.Ok), kDisabled), 0);
    EXPECT_EQ(PaintedPixels(Window(form.Ok), kTransparent), 0) << "the face shows through";
    EXPECT_GT(PaintedPixels(Window(form.Close), kDisabled), 0);
    EXPECT_EQ(PaintedPixels(Window(form.Close), kNormal), 0);

    form.Close.SetEnabled(true);
    EXPECT_GT(PaintedPixels(Window(form.Close), kNormal), 0);
    EXPECT_EQ(PaintedPixels(Window(form.Close), kDisabled), 0);
    EXPECT_EQ(PaintedPixels(Window(form.Plain), kNormal), 0);
}

} // namespace
} // namespace tvm::test
