#pragma once

#include "base/ProgramError.h"
#include "base/TimerSwitch.h"
#include "ui/widgets/Dialogs.h"
#include "ui/widgets/Timer.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace tvm {

// The toolkit's application object: the title, the termination request, the
// platform's dialogs and timers, and the one place where events are dispatched.
class TApplication final : public TimerFactory {
public:
    TApplication(DialogService& dialogs, TimerService& timers)
        : dialogs_(dialogs), timers_(timers) {}

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Asks the message loop to end; takes effect when the loop next looks, and the
    // platform's loop is woken so that it does look.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // How the platform's message loop is woken when Terminate is asked from inside a
    // message it does not see coming back (a message sent by another program).
    void SetLoopWaker(std::function<void()> wake) { wake_ = std::move(wake); }

    // Runs a handler for a user or system event. A ProgramError it raises stops the
    // handler there, is shown in the error box, and the program goes on.
    template <class Handler> void Dispatch(Handler&& handler) {
        try {
            std::forward<Handler>(handler)();
        } catch (const ProgramError& error) {
            ShowException(error);
        }
    }

    void ShowException(const ProgramError& error);
    ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons) {
        return dialogs_.MessageDlg(text, type, buttons);
    }

    TimerService& Timers() { return timers_; }
    // A TTimer over the platform's timers, for an engine that owns its timers.
    std::unique_ptr<TimerSwitch> MakeTimer(std::uint32_t interval,
                                           std::function<void()> onTimer) override;

private:
    DialogService& dialogs_;
    TimerService& timers_;
    std::string title_ = "Tavelmorind";
    bool terminated_ = false;
    std::function<void()> wake_;
};

} // namespace tvm
