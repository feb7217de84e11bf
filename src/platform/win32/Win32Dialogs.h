#pragma once

#include "ui/widgets/Dialogs.h"

namespace tvm {

class Win32Toolkit;

// Message dialogs and the error box as real modal windows (see Win32MessageDialog), in
// the toolkit's font; the toolkit outlives them.
class Win32Dialogs final : public DialogService {
public:
    explicit Win32Dialogs(Win32Toolkit& toolkit) : toolkit_(toolkit) {}

    ModalResult MessageDlg(const std::string& text, MsgDlgType type,
                           MsgDlgButtons buttons) override;
    void ErrorBox(const std::string& title, const std::string& text) override;

private:
    Win32Toolkit& toolkit_;
};

} // namespace tvm
