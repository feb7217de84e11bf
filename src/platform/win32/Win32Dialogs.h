#pragma once

#include "ui/widgets/Dialogs.h"

namespace tvm {

// Message dialogs and the error box as real modal windows (see Win32MessageDialog).
class Win32Dialogs final : public DialogService {
public:
    ModalResult MessageDlg(const std::string& text, MsgDlgType type,
                           MsgDlgButtons buttons) override;
    void ErrorBox(const std::string& title, const std::string& text) override;
};

} // namespace tvm
