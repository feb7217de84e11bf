#include "platform/win32/Win32Peers.h"

#include "ui/widgets/Grid.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

std::unique_ptr<Win32ControlPeer> CreatePeer(Win32FormPeer& form, Win32Host& host,
                                             TControl& control) {
    if (auto* button = dynamic_cast<TButton*>(&control)) {
        return CreateButtonPeer(form, host, *button);
    }
    if (auto* box = dynamic_cast<TCheckBox*>(&control)) {
        return CreateCheckBoxPeer(form, host, *box);
    }
    if (auto* radio = dynamic_cast<TRadioButton*>(&control)) {
        return CreateRadioButtonPeer(form, host, *radio);
    }
    if (auto* group = dynamic_cast<TGroupBox*>(&control)) {
        return CreateGroupBoxPeer(form, host, *group);
    }
    if (auto* label = dynamic_cast<TLabel*>(&control)) {
        return CreateLabelPeer(form, host, *label);
    }
    if (auto* panel = dynamic_cast<TPanel*>(&control)) {
        return CreatePanelPeer(form, host, *panel);
    }
    if (auto* bevel = dynamic_cast<TBevel*>(&control)) {
        return CreateBevelPeer(form, host, *bevel);
    }
    if (auto* image = dynamic_cast<TImage*>(&control)) {
        return CreateImagePeer(form, host, *image);
    }
    if (auto* status = dynamic_cast<TStatusBar*>(&control)) {
        return CreateStatusBarPeer(form, host, *status);
    }
    if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
        return CreateComboBoxPeer(form, host, *combo);
    }
    if (auto* spin = dynamic_cast<TSpinEdit*>(&control)) {
        return CreateSpinEditPeer(form, host, *spin);
    }
    if (auto* grid = dynamic_cast<TStringGrid*>(&control)) {
        return CreateGridPeer(form, host, *grid);
    }
    if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
        return CreatePageControlPeer(form, host, *pages);
    }
    return nullptr;
}

} // namespace tvm
