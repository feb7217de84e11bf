#pragma once

#include "ui/widgets/Dialogs.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tvm {

// A modal message window: an icon, the text wrapped to at most half the screen's
// width, a row of buttons, the whole centred on the screen. The first button is the
// default one; Escape and the close box give `escapeResult`. While it shows, the
// thread's other windows are disabled.
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
};

ModalResult RunMessageDialog(const MessageDialogSpec& spec);

} // namespace tvm
