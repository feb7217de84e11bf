#include "ui/widgets/Dialogs.h"

namespace tvm {

const char* DialogTitle(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return "Warning";
    case MsgDlgType::Error:
        return "Error";
    case MsgDlgType::Information:
        return "Information";
    case MsgDlgType::Confirmation:
        return "Confirm";
    }
    return "";
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

} // namespace tvm
