#pragma once

#include "ui/widgets/Dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tvm {

// Dialogs that answer from a script and record everything shown.
class ScriptedDialogs : public DialogService {
public:
    struct Shown {
        std::string Title;
        std::string Text;
        MsgDlgType Type;
        MsgDlgButtons Buttons;
        ModalResult Answer;
    };

    // The next message dialog is answered with this; without a script the dialog's
    // first button (Yes or OK) is pressed.
    void Answer(ModalResult result) { script_.push_back(result); }
    // Runs inside the next message dialog, before it is answered: what happens
    // elsewhere while the dialog is open.
    void WhileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }

    ModalResult MessageDlg(const std::string& text, MsgDlgType type,
                           MsgDlgButtons buttons) override;
    void ErrorBox(const std::string& title, const std::string& text) override;

    const std::vector<Shown>& History() const { return shown_; }
    std::vector<std::string> Errors() const;
    void Clear() { shown_.clear(); }

private:
    std::deque<ModalResult> script_;
    std::function<void()> whileOpen_;
    std::vector<Shown> shown_;
};

} // namespace tvm
