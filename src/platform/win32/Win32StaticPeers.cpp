#include "platform/win32/Win32Peers.h"

#include "platform/win32/Win32Font.h"
#include "platform/win32/Win32Handles.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

namespace {

// A label without a width or height takes the size of its text, as an auto-sized
// label of the original toolkit does.
class LabelPeer final : public Win32ControlPeer {
public:
    LabelPeer(Win32FormPeer& form, Win32Host& host, TLabel& label)
        : Win32ControlPeer(form, host, label), label_(label) {
        const DWORD align = label.Alignment == TLabel::Align::Center ? SS_CENTER
                            : label.WordWrap                         ? SS_LEFT
                                                                     : SS_LEFTNOWORDWRAP;
        Create(WC_STATICA, align);
        MakeOwnFont();
        if (label.FocusControl != nullptr) {
            SetWindowSubclass(Handle(), &LabelPeer::AccessKeyProc, 1,
                              reinterpret_cast<DWORD_PTR>(&label_));
        }
    }
    ~LabelPeer() override {
        if (label_.FocusControl != nullptr) {
            RemoveWindowSubclass(Handle(), &LabelPeer::AccessKeyProc, 1);
        }
        // The window goes after this peer's members: it takes the form's font back
        // before its own is deleted.
        if (font_) {
            SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form().Font()), FALSE);
        }
    }
    LabelPeer(const LabelPeer&) = delete;
    LabelPeer& operator=(const LabelPeer&) = delete;

    void SyncText(const std::string& text) override {
        Win32ControlPeer::SyncText(text);
        Replace();
    }

    void OnDpiChanged() override {
        Win32ControlPeer::OnDpiChanged();
        MakeOwnFont();
    }

protected:
    void Place(int left, int top, int width, int height) override {
        if (width == 0 || height == 0) {
            const SIZE size = MeasureText(font_ ? font_.get() : Form().Font(), label_.Caption(),
                                          label_.WordWrap ? width : 0, false);
            width = width == 0 ? size.cx : width;
            height = height == 0 ? size.cy : height;
        }
        Win32ControlPeer::Place(left, top, width, height);
    }

private:
    // The dialog manager moves the focus from a label's access key to the next control
    // that can take it, which for a disabled field is some other field. A label whose
    // field cannot take the focus says it is no label, and its key is nobody's.
    static LRESULT CALLBACK AccessKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR /*id*/, DWORD_PTR data) {
        if (message == WM_GETDLGCODE &&
            reinterpret_cast<const TLabel*>(data)->AccessKeyTarget() == nullptr) {
            return 0;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    // A label of its own face (the About box's title) gets a font of its own, at the
    // form's DPI.
    void MakeOwnFont() {
        if (!label_.Bold && label_.FontName.empty() && label_.FontHeight == 0) {
            return;
        }
        GdiObject<HFONT> font(CreateFontA(
            -Form().Scale(label_.FontHeight != 0 ? label_.FontHeight : 11), 0, 0, 0,
            label_.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
            label_.FontName.empty() ? "MS Shell Dlg" : label_.FontName.c_str()));
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        // The previous font goes once the window has the new one.
        font_ = std::move(font);
    }

    TLabel& label_;
    GdiObject<HFONT> font_;
};

// An etched line along the top of a flat bevel, along the left of a narrow one, and a
// frame around any other.
class BevelPeer final : public Win32ControlPeer {
public:
    BevelPeer(Win32FormPeer& form, Win32Host& host, TBevel& bevel)
        : Win32ControlPeer(form, host, bevel), bottomLine_(bevel.BottomLine) {
        const int flat = 16;
        // SS_ETCHEDHORZ draws the top and the bottom edge; a bottom line paints itself.
        const DWORD shape = bottomLine_             ? SS_LEFT
                            : bevel.Height() < flat ? SS_ETCHEDHORZ
                            : bevel.Width() < flat  ? SS_ETCHEDVERT
                                                    : SS_ETCHEDFRAME;
        Create(WC_STATICA, shape);
        if (bottomLine_) {
            SetWindowSubclass(Handle(), &BevelPeer::LineProc, 1, 0);
        }
    }

    ~BevelPeer() override {
        if (bottomLine_) {
            RemoveWindowSubclass(Handle(), &BevelPeer::LineProc, 1);
        }
    }

    void SyncText(const std::string& /*text*/) override {}

private:
    static void PaintLine(HWND window, HDC dc) {
        RECT rect;
        GetClientRect(window, &rect);
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_BOTTOM);
    }

    static LRESULT CALLBACK LineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR /*data*/) {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            PaintLine(window, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintLine(window, reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return DefSubclassProc(window, message, wParam, lParam);
        }
    }

    bool bottomLine_;
};

// A panel draws its raised edge; what it holds lies over it.
class PanelPeer final : public Win32ControlPeer {
public:
    PanelPeer(Win32FormPeer& form, Win32Host& host, TPanel& panel)
        : Win32ControlPeer(form, host, panel) {
        Create(WC_STATICA, SS_ETCHEDFRAME);
    }

    void SyncText(const std::string& /*text*/) override {}
};

// The program's icon, loaded at its 32-pixel size of the layout at the form's DPI.
class ImagePeer final : public Win32ControlPeer {
public:
    ImagePeer(Win32FormPeer& form, Win32Host& host, TImage& image)
        : Win32ControlPeer(form, host, image), image_(image) {
        Create(WC_STATICA, SS_ICON);
        LoadPicture();
    }
    ~ImagePeer() override {
        // The window goes after this peer's members: it lets go of the icon first.
        SendMessageA(Handle(), STM_SETICON, 0, 0);
    }
    ImagePeer(const ImagePeer&) = delete;
    ImagePeer& operator=(const ImagePeer&) = delete;

    void SyncText(const std::string& /*text*/) override {}

    void OnDpiChanged() override { LoadPicture(); }

private:
    void LoadPicture() {
        if (image_.IconResource == 0) {
            return;
        }
        const int size = Form().Scale(32);
        // Not LR_SHARED: the icon is ours to destroy.
        OwnedIcon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(image_.IconResource),
                                                     IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        icon_ = std::move(icon);
    }

    TImage& image_;
    OwnedIcon icon_;
};

// A status line of one text. The bar places itself along the bottom of the form.
class StatusBarPeer final : public Win32ControlPeer {
public:
    StatusBarPeer(Win32FormPeer& form, Win32Host& host, TStatusBar& bar)
        : Win32ControlPeer(form, host, bar) {
        const bool sizeable = form.Form().BorderStyle == TBorderStyle::Sizeable;
        Create(STATUSCLASSNAMEA, sizeable ? SBARS_SIZEGRIP : 0);
        SendMessageA(Handle(), SB_SIMPLE, TRUE, 0);
    }

    void SyncText(const std::string& text) override {
        EchoGuard guard(*this);
        SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
    }

    void Repaint() override {
        InvalidateRect(Handle(), nullptr, TRUE);
        UpdateWindow(Handle());
    }

    void OnFormResized() override { SendMessageA(Handle(), WM_SIZE, 0, 0); }

protected:
    void Place(int /*left*/, int /*top*/, int /*width*/, int /*height*/) override {
        SendMessageA(Handle(), WM_SIZE, 0, 0);
    }
};

} // namespace

std::unique_ptr<Win32ControlPeer> CreateLabelPeer(Win32FormPeer& form, Win32Host& host,
                                                  TLabel& label) {
    return std::make_unique<LabelPeer>(form, host, label);
}

std::unique_ptr<Win32ControlPeer> CreatePanelPeer(Win32FormPeer& form, Win32Host& host,
                                                  TPanel& panel) {
    return std::make_unique<PanelPeer>(form, host, panel);
}

std::unique_ptr<Win32ControlPeer> CreateBevelPeer(Win32FormPeer& form, Win32Host& host,
                                                  TBevel& bevel) {
    return std::make_unique<BevelPeer>(form, host, bevel);
}

std::unique_ptr<Win32ControlPeer> CreateImagePeer(Win32FormPeer& form, Win32Host& host,
                                                  TImage& image) {
    return std::make_unique<ImagePeer>(form, host, image);
}

std::unique_ptr<Win32ControlPeer> CreateStatusBarPeer(Win32FormPeer& form, Win32Host& host,
                                                      TStatusBar& bar) {
    return std::make_unique<StatusBarPeer>(form, host, bar);
}

} // namespace tvm
