#include "ui/widgets/Application.h"

namespace tvm {

void TApplication::Terminate() {
    terminated_ = true;
    if (wake_) {
        wake_();
    }
}

void TApplication::ShowException(const ProgramError& error) {
    dialogs_.ErrorBox(title_, ErrorBoxText(error.what()));
}

std::unique_ptr<TimerSwitch> TApplication::MakeTimer(std::uint32_t interval,
                                                     std::function<void()> onTimer) {
    auto timer = std::make_unique<TTimer>(*this, interval);
    timer->OnTimer = std::move(onTimer);
    return timer;
}

} // namespace tvm
