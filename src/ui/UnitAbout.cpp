#include "ui/UnitAbout.h"

#include "ui/Services.h"

namespace tvm {

TAboutForm::TAboutForm(TApplication& app, SystemService& system) : TForm(app), system_(system) {
    SetCaption("About");
    SetFixedDialogSize(329, 193, 337, 227);
    Centered = true;

    Panel1.SetBounds(8, 8, 313, 145);
    for (TControl* c : std::initializer_list<TControl*>{&ProgramIcon, &Label1, &verLabel,
                                                        &StaticText1, &langLabel, &StaticText2}) {
        c->SetParent(&Panel1);
    }
    ProgramIcon.SetBounds(8, 8, 32, 32);
    ProgramIcon.IconResource = 1;
    Label1.SetBounds(48, 8, 250, 33);
    Label1.SetCaption("Tavelmorind");
    Label1.Bold = true;
    Label1.FontName = "Arial";
    Label1.FontHeight = 29;
    verLabel.SetBounds(48, 48, 250, 13);
    verLabel.SetCaption(std::string("Version ") + kProgramVersion);
    StaticText1.SetBounds(48, 64, 250, 13);
    StaticText1.SetCaption("Keeps your monitor at the refresh rate you choose.");
    langLabel.SetBounds(48, 80, 250, 13);
    langLabel.SetCaption("Language: English");
    StaticText2.SetBounds(8, 104, 297, 33);
    StaticText2.WordWrap = true;
    StaticText2.SetCaption("Every display mode keeps the rate set for it, whichever program "
                           "changes the mode.");

    CloseBitBtn.SetBounds(248, 160, 73, 25);
    CloseBitBtn.SetCaption("&Close");
    CloseBitBtn.SetHint("Closes this dialog");
    CloseBitBtn.Default = true;
    CloseBitBtn.Cancel = true;
    CloseBitBtn.Glyph = TGlyph::Close;
    CloseBitBtn.OnClick = [this] { Hide(); };
    OnHide = [this] { system_.TrimWorkingSet(); };
}

} // namespace tvm
