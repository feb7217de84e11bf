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

} // namespace tvm
