#include "platform/sim/SimShell.h"

#include "ui/widgets/Menus.h"

namespace tvm {

void SimTray::Record(Op op, const TrayIconData& data) {
    requests_.push_back({op, data});
    switch (op) {
    case Op::Add:
        if (!present_) {
            present_ = true;
            shown_ = data;
        }
        break;
    case Op::Modify:
        if (present_) {
            shown_ = data;
        }
        break;
    case Op::Delete:
        present_ = false;
        break;
    }
}

void SimTray::ShowMenu(TMenu& menu) {
    ++menusShown_;
    menu.Popup();
}

} // namespace tvm
