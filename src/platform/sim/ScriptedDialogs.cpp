#include "platform/sim/ScriptedDialogs.h"

#include <utility>

namespace tvm {

ModalResult ScriptedDialogs::MessageDlg(const std::string& text, MsgDlgType type,
                                        MsgDlgButtons buttons) {
    if (auto action = std::exchange(whileOpen_, nullptr)) {
        action();
    }
    ModalResult answer = buttons == MsgDlgButtons::YesNo ? ModalResult::Yes : ModalResult::OK;
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
    }
    shown_.push_back({DialogTitle(type), text, type, buttons, answer});
    return answer;
}

void ScriptedDialogs::ErrorBox(const std::string& title, const std::string& text) {
    shown_.push_back({title, text, MsgDlgType::Error, MsgDlgButtons::OK, ModalResult::OK});
}

std::vector<std::string> ScriptedDialogs::Errors() const {
    std::vector<std::string> errors;
    for (const Shown& s : shown_) {
        if (s.Type == MsgDlgType::Error) {
            errors.push_back(s.Text);
        }
    }
    return errors;
}

} // namespace tvm
