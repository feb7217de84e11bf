#include "platform/sim/SimShell.h"

#include "ui/widgets/Menus.h"

#include <utility>

namespace tvm {

bool SimTray::Record(Op op, const TrayIconData& data) {
    requests_.push_back({op, data});
    switch (op) {
    case Op::Add:
        if (!RefuseAdds) {
            present_ = true;
            shown_ = data;
        }
        return present_;
    case Op::Modify:
        if (present_) {
            shown_ = data;
        }
        return present_;
    case Op::Delete:
        return std::exchange(present_, false);
    }
    return false;
}

void SimTray::ShowMenu(TMenu& menu) {
    ++menusShown_;
    menu.Popup();
}

} // namespace tvm
