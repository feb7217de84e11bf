#include "ui/widgets/Application.h"

namespace tvm {

void TApplication::ShowException(const ProgramError& error) {
    dialogs_.ErrorBox(title_, ErrorBoxText(error.what()));
}

} // namespace tvm
