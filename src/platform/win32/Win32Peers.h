#pragma once

#include "platform/win32/Win32ControlPeer.h"
#include "platform/win32/Win32FormPeer.h"

#include <memory>

namespace tvm {

class TButton;
class TCheckBox;
class TComboBox;
class TGroupBox;
class TImage;
class TBevel;
class TPanel;
class TLabel;
class TPageControl;
class TRadioButton;
class TSpinEdit;
class TStatusBar;
class TStringGrid;
class TTabSheet;

// The peer for a control of any kind, or null for a kind without one (a tab sheet is
// made by its page control).
std::unique_ptr<Win32ControlPeer> CreatePeer(Win32FormPeer& form, Win32Host& host,
                                             TControl& control);

std::unique_ptr<Win32ControlPeer> CreateButtonPeer(Win32FormPeer&, Win32Host&, TButton&);
std::unique_ptr<Win32ControlPeer> CreateCheckBoxPeer(Win32FormPeer&, Win32Host&, TCheckBox&);
std::unique_ptr<Win32ControlPeer> CreateRadioButtonPeer(Win32FormPeer&, Win32Host&, TRadioButton&);
std::unique_ptr<Win32ControlPeer> CreateGroupBoxPeer(Win32FormPeer&, Win32Host&, TGroupBox&);
std::unique_ptr<Win32ControlPeer> CreateLabelPeer(Win32FormPeer&, Win32Host&, TLabel&);
std::unique_ptr<Win32ControlPeer> CreateBevelPeer(Win32FormPeer&, Win32Host&, TBevel&);
std::unique_ptr<Win32ControlPeer> CreatePanelPeer(Win32FormPeer&, Win32Host&, TPanel&);
std::unique_ptr<Win32ControlPeer> CreateImagePeer(Win32FormPeer&, Win32Host&, TImage&);
std::unique_ptr<Win32ControlPeer> CreateStatusBarPeer(Win32FormPeer&, Win32Host&, TStatusBar&);
std::unique_ptr<Win32ControlPeer> CreateComboBoxPeer(Win32FormPeer&, Win32Host&, TComboBox&);
std::unique_ptr<Win32ControlPeer> CreateSpinEditPeer(Win32FormPeer&, Win32Host&, TSpinEdit&);
std::unique_ptr<Win32ControlPeer> CreateGridPeer(Win32FormPeer&, Win32Host&, TStringGrid&);
// The page control and, right behind it in the tab order, a page window for each of
// its sheets; each sheet gets its peer here.
std::unique_ptr<Win32ControlPeer> CreatePageControlPeer(Win32FormPeer&, Win32Host&, TPageControl&);

// Where the controls of a sheet live, once its page control has a peer; else null.
Win32Host* SheetHost(const TTabSheet& sheet);

bool RegisterPageWindowClass();

} // namespace tvm
