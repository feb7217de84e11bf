#pragma once

#include "display/ModeTable.h"
#include "display/OverrideEngine.h"
#include "settings/Settings.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/StdCtrls.h"

#include <functional>

namespace tvm {

class SystemService;

// "Advanced Settings": every setting but On/Off and the automatic rates. It copies
// the settings into its controls when it appears and back when Close is pressed;
// saving to disk is the main window's job.
class TAdvanceForm : public TForm {
public:
    TAdvanceForm(TApplication& app, Settings& settings, OverrideEngine& override,
                 const ModeTable& table, SystemService& system);

    // The tray check box takes effect at once: the tray icon is shown or removed.
    std::function<void()> TrayChoiceChanged;

    TLabel Label2{*this};
    TButton BitBtnClose{*this};
    TButton DefaultBitBtn{*this};
    TPageControl PageControlMain{*this};

    TTabSheet TabSheet1{*this};
    TGroupBox GroupStartup{*this};
    TCheckBox CheckBox5{*this};
    TCheckBox CheckBox2{*this};
    TGroupBox GroupWindowsMode{*this};
    TCheckBox CheckBox4{*this};

    TTabSheet TabSheet2{*this};
    TGroupBox GroupTiming{*this};
    TCheckBox CheckBox1{*this};
    TComboBox ComboBox1{*this};
    TLabel Label9{*this};
    TCheckBox CheckBox3{*this};
    TLabel Label6{*this};

    TTabSheet TabSheet3{*this};
    TGroupBox GroupSafety{*this};
    TLabel Label3{*this};
    TSpinEdit SpinEdit1{*this};
    TLabel Label4{*this};
    TSpinEdit SpinEdit3{*this};
    TLabel Label5{*this};
    TSpinEdit SpinEdit2{*this};

    TTabSheet TabSheet4{*this};
    TGroupBox GroupSwitcher{*this};
    TRadioGroupScope SwitcherGroup;
    TRadioButton RadioButton1{*this, SwitcherGroup};
    TRadioButton RadioButton2{*this, SwitcherGroup};
    TRadioButton RadioButton3{*this, SwitcherGroup};

    TTabSheet TabSheet5{*this};
    TGroupBox GroupOther{*this};
    TLabel Label7{*this};
    TSpinEdit SpinEdit4{*this};
    // Under the other settings: a sixth tab would not fit in the row.
    TGroupBox GroupBattery{*this};
    TCheckBox CheckBox6{*this};
    TComboBox ComboBox2{*this};
    TLabel Label10{*this};

    void FormShow();
    void CheckBox1Click();
    void CheckBox3Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void ComboBox1KeyPress(char& key);
    void ComboBox2KeyPress(char& key);
    void DefaultBitBtnClick();
    void BitBtnCloseClick();
    void FormHide();

private:
    void LayOut();

    Settings& config_;
    OverrideEngine& override_;
    const ModeTable& table_;
    SystemService& system_;
};

} // namespace tvm
