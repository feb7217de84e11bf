#pragma once

#include "platform/win32/Win32Font.h"
#include "ui/widgets/Dialogs.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tvm {

// A modal message window: an icon, the text wrapped to at most half the screen's
// width, a row of buttons, the whole centred on the screen. The first button is the
// default one; Escape gives `EscapeResult`, the close box `CloseResult`. While it
// shows, the thread's other windows are disabled.
struct MessageDialogButton {
    int Id;
    const char* Caption;
    ModalResult Result;
};

struct MessageDialogSpec {
    std::string Title;
    std::string Text;
    LPCSTR Icon; // a system icon
    std::vector<MessageDialogButton> Buttons;
    ModalResult EscapeResult;
    // Also the answer of a dialog that ends without one (the loop saw WM_QUIT).
    ModalResult CloseResult;
};

// The dialog takes its font for its DPI from `fonts`.
ModalResult RunMessageDialog(const MessageDialogSpec& spec, DialogFonts& fonts);

} // namespace tvm
