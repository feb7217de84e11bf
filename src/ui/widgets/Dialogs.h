#pragma once

#include <string>

namespace tvm {

enum class MsgDlgType { Warning, Error, Information, Confirmation };
enum class MsgDlgButtons { OK, OKCancel, YesNo };
enum class ModalResult { None, OK, Cancel, Yes, No };

// Modal message dialogs, centred on the screen. The type gives the title and icon
// ("Warning", "Information", "Confirm"); the buttons read "&Yes", "&No", "OK",
// "Cancel". The error box carries the application title and the error icon.
class DialogService {
public:
    virtual ~DialogService() = default;
    virtual ModalResult MessageDlg(const std::string& text, MsgDlgType type,
                                   MsgDlgButtons buttons) = 0;
    virtual void ErrorBox(const std::string& title, const std::string& text) = 0;
};

// Title shown for each dialog type.
const char* DialogTitle(MsgDlgType type);

// The error box's text: a full stop is added when the message's last character sorts
// after '.', so "…value" gains one while "…'Tavelmorind'" does not.
std::string ErrorBoxText(const std::string& message);

} // namespace tvm
