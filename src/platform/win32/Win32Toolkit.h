#pragma once

#include "platform/win32/Win32Font.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32MessageLoop.h"
#include "ui/widgets/Application.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/Menus.h"
#include "ui/widgets/StdCtrls.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace tvm {

class TControl;

// Realizes forms as Win32 windows, each at the DPI of its monitor. Create it before the
// forms it realizes and keep it until they are gone: their buttons use its pictures.
//
//   Win32MessageLoop loop;
//   Win32Toolkit toolkit(loop);
//   Win32Dialogs dialogs(toolkit);
//   Win32Timers timers; // ticking once a shell window holds them (Win32ShellWindow)
//   TApplication app(dialogs, timers);
//   TMainForm main(app, settings, services);
//   toolkit.Realize(main);
//   main.Show();
//   loop.Run(app);
class Win32Toolkit {
public:
    // Sees a message of a form's window before the form does; returns true (and sets
    // the result) when it handled the message.
    using MessageHook =
        std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    explicit Win32Toolkit(Win32MessageLoop& loop);
    ~Win32Toolkit();
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    // Makes the form's window, hidden until the form is shown, with a peer for each
    // of its controls. Tab visits the controls in the form's TabOrder, then in creation
    // order; a label with a FocusControl sits just before that control, so its access
    // key moves the focus there.
    void Realize(TForm& form);

    // The form's window, or null when it is not realized.
    static HWND Handle(const TForm& form);
    // The control's main window, or null.
    static HWND Handle(const TControl& control);

    // Shows `menu` as a pop-up at a point on the screen, owned by `owner`'s window;
    // TMenu::Popup runs first, and then the item the user chooses.
    void Popup(TMenu& menu, const TForm& owner, int x, int y);

    void SetMessageHook(const TForm& form, MessageHook hook);

    // The pictures of buttons with a glyph, each a strip of two equal squares: the normal
    // picture, then the disabled one; the colour of the strip's bottom-left pixel is
    // transparent; they are drawn for 96 DPI and stretched for others. The toolkit
    // copies them, so the caller keeps its bitmaps. Buttons realized from then on show
    // them; a glyph missing here shows no picture.
    void SetGlyphs(const std::map<TGlyph, HBITMAP>& strips);
    // What a push button with `glyph` at `dpi` hands to BCM_SETIMAGELIST, or null.
    HIMAGELIST GlyphImages(TGlyph glyph, UINT dpi);

    // The face of the program's windows, one font per DPI for as long as the toolkit
    // lives; the forms and the message dialogs share them.
    DialogFonts& Fonts() { return fonts_; }

    Win32MessageLoop& Loop() const { return loop_; }

    static constexpr const char* FormClass = "TavelmorindForm";
    static constexpr const char* PageClass = "TavelmorindPage";

private:
    Win32MessageLoop& loop_;
    DialogFonts fonts_;
    std::map<TGlyph, GdiObject<HBITMAP>> strips_;
    std::map<std::pair<TGlyph, UINT>, HIMAGELIST> glyphs_;
    // Buttons do not own their image lists; a list replaced by a later SetGlyphs may
    // still be on a button, so every list lives as long as the toolkit.
    std::vector<OwnedImageList> imageLists_;
};

} // namespace tvm
