#include "PeerTestForm.h"

namespace tvm::test {

PeerTestForm::PeerTestForm(TApplication& app) : TForm(app), MainMenu(app), TrayMenu(app) {
    SetCaption("Peer Test");
    ClientWidth = 480;
    ClientHeight = 300;
    MinWidth = 420;
    MinHeight = 320;

    Group.SetBounds(8, 8, 220, 49);
    Group.SetCaption("Refresh Overriding");
    OnRadio.SetBounds(16, 30, 50, 17);
    OnRadio.SetCaption("O&n");
    OnRadio.SetHint("Turns it on");
    OnRadio.OnClick = [this] { ++OnClicks; };
    OffRadio.SetBounds(72, 30, 50, 17);
    OffRadio.SetCaption("O&ff");
    OffRadio.OnClick = [this] { ++OffClicks; };
    Check.SetBounds(240, 30, 232, 17);
    Check.SetAnchors(AnchorTop | AnchorRight);
    Check.SetCaption("&Always use the fastest rate");
    Check.SetHint("Fills the table with the fastest rates");
    Check.OnClick = [this] { ++CheckClicks; };

    RateLabel.SetBounds(8, 70, 0, 0);
    RateLabel.SetCaption("S&et to:");
    RateLabel.FocusControl = &Combo;
    Combo.SetBounds(56, 66, 65, 21);
    Combo.MaxLength = 3;
    Combo.SetItems({"60", "75", "85"});
    Combo.SetHint("The rate of the selected mode");
    Combo.OnChange = [this] { ComboChanges.push_back(Combo.Text()); };
    Combo.OnKeyPress = [this](char& key) {
        KeysSeen.push_back(key);
        if (key == 'x') {
            key = 0;
        }
    };
    Spin.SetBounds(136, 66, 80, 21);
    Spin.SetRange(1000, 60000, 1000, 5);
    Spin.SetValue(5000);

    Grid.SetBounds(8, 96, 300, 124);
    Grid.SetAnchors(AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);
    Grid.SetColCount(3);
    Grid.SetRowCount(5);
    Grid.SetColWidth(0, 100);
    Grid.SetColWidth(1, 80);
    Grid.SetColWidth(2, 60);
    const char* cells[5][3] = {{"Resolution", "Colours", "Set At"},
                               {"640 x 480", "32 bit", "85"},
                               {"800 x 600", "32 bit", "75"},
                               {"1024 x 768", "32 bit", "60"},
                               {"1280 x 1024", "32 bit", "0"}};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            Grid.SetCell(c, r, cells[r][c]);
        }
    }
    Grid.OnSelectCell = [this](int, int row, bool& canSelect) {
        CellsAsked.push_back(row);
        canSelect = !RefuseCells;
    };

    Pages.SetBounds(316, 96, 156, 124);
    Pages.SetAnchors(AnchorTop | AnchorRight);
    Pages.Pages = {&FirstSheet, &SecondSheet};
    FirstSheet.SetCaption("First");
    SecondSheet.SetCaption("Second");
    FirstSheet.Controls = {&SheetCheck};
    SecondSheet.Controls = {&SheetButton};
    SheetCheck.SetBounds(328, 130, 130, 17);
    SheetCheck.SetAnchors(AnchorTop | AnchorRight);
    SheetCheck.SetCaption("Sheet chec&k");
    SheetCheck.OnClick = [this] { ++SheetCheckClicks; };
    SheetButton.SetBounds(328, 130, 100, 25);
    SheetButton.SetAnchors(AnchorTop | AnchorRight);
    SheetButton.SetCaption("Sheet &button");
    SheetButton.OnClick = [this] { ++SheetButtonClicks; };

    Bevel.SetBounds(8, 228, 464, 9);
    Bevel.SetAnchors(AnchorLeft | AnchorRight | AnchorBottom);
    Image.SetBounds(440, 8, 32, 32);
    Image.SetVisible(false);

    Switch.SetBounds(8, 244, 100, 25);
    Switch.SetAnchors(AnchorLeft | AnchorBottom);
    Switch.SetCaption("S&witch Mode");
    Switch.SetHint("Switches to the selected mode");
    Switch.OnClick = [this] { ++SwitchClicks; };
    Save.SetBounds(316, 244, 75, 25);
    Save.SetAnchors(AnchorRight | AnchorBottom);
    Save.SetCaption("&Save");
    Save.Default = true;
    Save.OnClick = [this] { ++SaveClicks; };
    Close.SetBounds(397, 244, 75, 25);
    Close.SetAnchors(AnchorRight | AnchorBottom);
    Close.SetCaption("&Close");
    Close.Cancel = true;
    Close.OnClick = [this] { ++CloseClicks; };

    Status.SetSimpleText("Ready");

    OnClose = [this](CloseAction&) { ++Closes; };
    OnResize = [this] { ++Resizes; };

    TMenuItem& file = MainMenu.Add("&File");
    SaveItem = &file.Add("&Save");
    SaveItem->OnClick = [this] { ++SaveItemClicks; };
    file.AddSeparator();
    file.Add("E&xit");
    TMenuItem& options = MainMenu.Add("&Options");
    FastItem = &options.Add("&Fast");
    FastItem->Checked = true;
    RadioA = &options.Add("Radio &A");
    RadioA->RadioItem = true;
    RadioA->Checked = true;
    RadioB = &options.Add("Radio &B");
    RadioB->RadioItem = true;
    DisabledItem = &options.Add("&Disabled");
    DisabledItem->Enabled = false;
    options.AddSeparator();
    TMenuItem& sub = options.Add("&More");
    DeepItem = &sub.Add("&Deep && Far");
    DeepItem->OnClick = [this] { ++DeepClicks; };
    Menu = &MainMenu;

    OpenItem = &TrayMenu.Add("&Open");
    OpenItem->Default = true;
    OpenItem->OnClick = [this] { ++OpenClicks; };
    EnabledItem = &TrayMenu.Add("&Enabled");
    EnabledItem->OnClick = [this] { ++EnabledClicks; };
    TrayMenu.AddSeparator();
    TrayMenu.Add("E&xit");
    TrayMenu.OnPopup = [this] {
        ++TrayPopups;
        EnabledItem->Checked = !EnabledItem->Checked;
    };
    PopupMenu = &TrayMenu;
}

} // namespace tvm::test
