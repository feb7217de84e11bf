#include "platform/win32/Win32Toolkit.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32Peers.h"
#include "ui/widgets/StdCtrls.h"

#include <commctrl.h>
#include <vsstyle.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <vector>

namespace tvm {

namespace {

// The form's controls in the order Tab visits them: the form's TabOrder, then the rest
// in creation order, with each label that names a FocusControl just before it.
std::vector<TControl*> TabSequence(const TForm& form) {
    const auto& controls = form.Controls();
    std::vector<TControl*> order;
    auto listed = [&](TControl* c) {
        return std::find(order.begin(), order.end(), c) != order.end();
    };
    for (TControl* control : form.TabOrder) {
        if (std::find(controls.begin(), controls.end(), control) != controls.end() &&
            !listed(control)) {
            order.push_back(control);
        }
    }
    for (TControl* control : controls) {
        if (!listed(control)) {
            order.push_back(control);
        }
    }
    for (TControl* control : controls) {
        const auto* label = dynamic_cast<TLabel*>(control);
        if (label == nullptr || label->FocusControl == nullptr || !listed(label->FocusControl)) {
            continue;
        }
        order.erase(std::find(order.begin(), order.end(), control));
        order.insert(std::find(order.begin(), order.end(), label->FocusControl), control);
    }
    return order;
}

// Gives each control window of a host its WS_GROUP and WS_TABSTOP, in z-order.
void MarkGroups(HWND host) {
    const Win32ControlPeer* previous = nullptr;
    for (HWND child = GetWindow(host, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        Win32ControlPeer* peer = Win32ControlPeer::FromHandle(child);
        if (peer == nullptr || peer->Handle() != child) {
            continue;
        }
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        const bool group = previous == nullptr || !peer->ContinuesGroupOf(*previous);
        style = group ? (style | WS_GROUP) : (style & ~static_cast<LONG_PTR>(WS_GROUP));
        style =
            peer->TabStop() ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(child, GWL_STYLE, style);
        previous = peer;
        if ((GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
            MarkGroups(child);
        }
    }
}

// A button draws image (state - PBS_NORMAL) of its list and nothing for a state past the
// list's end, so each of the six states gets its picture: the disabled one for
// PBS_DISABLED, the normal one for the rest. The pictures are stretched from their 96-DPI
// size to `dpi`.
OwnedImageList ButtonImageList(HBITMAP strip, UINT dpi) {
    BITMAP info{};
    if (GetObjectA(strip, sizeof info, &info) == 0 || info.bmWidth < 2 || info.bmHeight < 1) {
        return {};
    }
    const int sourceWidth = info.bmWidth / 2;
    const int sourceHeight = info.bmHeight;
    const int width = ScaleToDpi(sourceWidth, dpi);
    const int height = ScaleToDpi(sourceHeight, dpi);
    const WindowDc screen(nullptr);
    const MemoryDc source(CreateCompatibleDC(screen.get()));
    const MemoryDc target(CreateCompatibleDC(screen.get()));
    const GdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen.get(), width, height));
    if (!source || !target || !picture) {
        return {};
    }
    const ScopedSelect sourceStrip(source.get(), strip);
    const COLORREF transparent = GetPixel(source.get(), 0, sourceHeight - 1);
    OwnedImageList list(
        ImageList_Create(width, height, ILC_COLOR4 | ILC_MASK, PBS_DEFAULTED_ANIMATING, 0));
    for (int state = PBS_NORMAL; list && state <= PBS_DEFAULTED_ANIMATING; ++state) {
        // ImageList_AddMasked blackens the transparent pixels of the bitmap it is
        // given, so every state is added from a fresh copy.
        {
            const ScopedSelect drawn(target.get(), picture.get());
            // Whole pixels only: a blend would leave a fringe the mask does not match.
            SetStretchBltMode(target.get(), COLORONCOLOR);
            StretchBlt(target.get(), 0, 0, width, height, source.get(),
                       state == PBS_DISABLED ? sourceWidth : 0, 0, sourceWidth, sourceHeight,
                       SRCCOPY);
        }
        ImageList_AddMasked(list.get(), picture.get(), transparent);
    }
    return list;
}

} // namespace

Win32Toolkit::Win32Toolkit(Win32MessageLoop& loop) : loop_(loop) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                     ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    if (!Win32FormPeer::RegisterWindowClass() || !RegisterPageWindowClass()) {
        throw std::runtime_error("cannot register the window classes");
    }
}

Win32Toolkit::~Win32Toolkit() = default;

void Win32Toolkit::Realize(TForm& form) {
    if (Handle(form) != nullptr) {
        return;
    }
    auto formPeer = std::make_unique<Win32FormPeer>(*this, form);
    Win32FormPeer& host = *formPeer;

    std::map<const TControl*, TTabSheet*> sheetOf;
    std::map<const TTabSheet*, TPageControl*> pagesOf;
    for (TControl* control : form.Controls()) {
        if (auto* pages = dynamic_cast<TPageControl*>(control)) {
            for (TTabSheet* sheet : pages->Pages) {
                pagesOf[sheet] = pages;
                for (TControl* child : sheet->Controls) {
                    sheetOf[child] = sheet;
                }
            }
        }
    }

    auto realize = [&](auto& self, TControl& control) -> void {
        if (dynamic_cast<Win32ControlPeer*>(control.Peer()) != nullptr) {
            return;
        }
        Win32Host* where = &host;
        if (const auto sheet = sheetOf.find(&control); sheet != sheetOf.end()) {
            self(self, *pagesOf[sheet->second]);
            where = SheetHost(*sheet->second);
            if (where == nullptr) {
                return;
            }
        } else if (const auto* tabSheet = dynamic_cast<TTabSheet*>(&control)) {
            // A sheet gets its peer from its page control; one without is not shown.
            if (const auto pages = pagesOf.find(tabSheet); pages != pagesOf.end()) {
                self(self, *pages->second);
            }
            return;
        }
        if (auto peer = CreatePeer(host, *where, control)) {
            control.AttachPeer(std::move(peer));
        }
    };
    for (TControl* control : TabSequence(form)) {
        realize(realize, *control);
    }
    MarkGroups(host.Handle());

    host.Ready();
    form.AttachPeer(std::move(formPeer));
}

HWND Win32Toolkit::Handle(const TForm& form) {
    const auto* peer = dynamic_cast<const Win32FormPeer*>(form.Peer());
    return peer == nullptr ? nullptr : peer->Handle();
}

HWND Win32Toolkit::Handle(const TControl& control) {
    const auto* peer = dynamic_cast<const Win32ControlPeer*>(control.Peer());
    return peer == nullptr ? nullptr : peer->Handle();
}

void Win32Toolkit::Popup(TMenu& menu, const TForm& owner, int x, int y) {
    if (auto* peer = dynamic_cast<Win32FormPeer*>(owner.Peer())) {
        peer->Popup(menu, x, y);
    }
}

void Win32Toolkit::SetGlyphs(const std::map<TGlyph, HBITMAP>& strips) {
    glyphs_.clear();
    strips_.clear();
    for (const auto& [glyph, strip] : strips) {
        GdiObject<HBITMAP> copy(static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, 0, 0, 0)));
        if (copy) {
            strips_.emplace(glyph, std::move(copy));
        }
    }
}

HIMAGELIST Win32Toolkit::GlyphImages(TGlyph glyph, UINT dpi) {
    if (const auto made = glyphs_.find({glyph, dpi}); made != glyphs_.end()) {
        return made->second;
    }
    const auto strip = strips_.find(glyph);
    if (strip == strips_.end()) {
        return nullptr;
    }
    OwnedImageList list = ButtonImageList(strip->second.get(), dpi);
    const HIMAGELIST made = list.get();
    if (made != nullptr) {
        imageLists_.push_back(std::move(list));
        glyphs_[{glyph, dpi}] = made;
    }
    return made;
}

void Win32Toolkit::SetMessageHook(const TForm& form, MessageHook hook) {
    if (auto* peer = dynamic_cast<Win32FormPeer*>(form.Peer())) {
        peer->SetMessageHook(std::move(hook));
    }
}

} // namespace tvm
