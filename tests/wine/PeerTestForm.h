#pragma once

#include "ui/widgets/Form.h"
#include "ui/widgets/Grid.h"
#include "ui/widgets/Menus.h"
#include "ui/widgets/StdCtrls.h"

#include <string>
#include <vector>

namespace tvm::test {

// A form with one control of each kind, and a handler on each that counts what the
// model saw.
class PeerTestForm : public TForm {
public:
    explicit PeerTestForm(TApplication& app);

    TGroupBox Group{*this};
    TRadioGroupScope Scope;
    TRadioButton OnRadio{*this, Scope};
    TRadioButton OffRadio{*this, Scope};
    TCheckBox Check{*this};
    TLabel RateLabel{*this};
    TComboBox Combo{*this};
    TSpinEdit Spin{*this};
    TStringGrid Grid{*this};
    TPageControl Pages{*this};
    TTabSheet FirstSheet{*this};
    TTabSheet SecondSheet{*this};
    TCheckBox SheetCheck{*this};
    TButton SheetButton{*this};
    TBevel Bevel{*this};
    TImage Image{*this};
    TButton Switch{*this};
    TButton Save{*this};
    TButton Close{*this};
    TStatusBar Status{*this};

    TMenu MainMenu;
    TMenuItem* SaveItem = nullptr;
    TMenuItem* FastItem = nullptr;
    TMenuItem* RadioA = nullptr;
    TMenuItem* RadioB = nullptr;
    TMenuItem* DisabledItem = nullptr;
    TMenuItem* DeepItem = nullptr;
    TMenu TrayMenu;
    TMenuItem* OpenItem = nullptr;
    TMenuItem* EnabledItem = nullptr;

    // What the model saw.
    int OnClicks = 0, OffClicks = 0, CheckClicks = 0, SheetCheckClicks = 0;
    int SwitchClicks = 0, SaveClicks = 0, CloseClicks = 0, SheetButtonClicks = 0;
    std::vector<std::string> ComboChanges;
    std::vector<char> KeysSeen;
    std::vector<int> CellsAsked;
    bool RefuseCells = false;
    int Closes = 0, Resizes = 0;
    int SaveItemClicks = 0, DeepClicks = 0, OpenClicks = 0, EnabledClicks = 0, TrayPopups = 0;
};

} // namespace tvm::test
