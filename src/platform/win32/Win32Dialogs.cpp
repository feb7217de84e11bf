#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/Win32MessageDialog.h"
#include "platform/win32/Win32Toolkit.h"

namespace tvm {

namespace {

// The system icons by number: the IDI_ names follow the character set of the build.
LPCSTR const ErrorIcon = MAKEINTRESOURCEA(32513);
LPCSTR const QuestionIcon = MAKEINTRESOURCEA(32514);
LPCSTR const WarningIcon = MAKEINTRESOURCEA(32515);
LPCSTR const InformationIcon = MAKEINTRESOURCEA(32516);

LPCSTR IconOf(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return WarningIcon;
    case MsgDlgType::Error:
        return ErrorIcon;
    case MsgDlgType::Information:
        return InformationIcon;
    case MsgDlgType::Confirmation:
        return QuestionIcon;
    }
    return InformationIcon;
}

} // namespace

ModalResult Win32Dialogs::MessageDlg(const std::string& text, MsgDlgType type,
                                     MsgDlgButtons buttons) {
    MessageDialogSpec spec{DialogTitle(type),  text, IconOf(type), {}, ModalResult::Cancel,
                           ModalResult::Cancel};
    switch (buttons) {
    case MsgDlgButtons::YesNo:
        spec.Buttons = {{IDYES, "&Yes", ModalResult::Yes}, {IDNO, "&No", ModalResult::No}};
        spec.EscapeResult = ModalResult::No;
        // Closing a question is no answer to it: only No (or Escape) says no.
        spec.CloseResult = ModalResult::None;
        break;
    case MsgDlgButtons::OKCancel:
        spec.Buttons = {{IDOK, "OK", ModalResult::OK}, {IDCANCEL, "Cancel", ModalResult::Cancel}};
        spec.EscapeResult = ModalResult::Cancel;
        spec.CloseResult = ModalResult::Cancel;
        break;
    case MsgDlgButtons::OK:
        spec.Buttons = {{IDOK, "OK", ModalResult::OK}};
        spec.EscapeResult = ModalResult::OK;
        spec.CloseResult = ModalResult::OK;
        break;
    }
    return RunMessageDialog(spec, toolkit_.Fonts());
}

void Win32Dialogs::ErrorBox(const std::string& title, const std::string& text) {
    RunMessageDialog(
        {title, text, ErrorIcon, {{IDOK, "OK", ModalResult::OK}}, ModalResult::OK, ModalResult::OK},
        toolkit_.Fonts());
}

} // namespace tvm
