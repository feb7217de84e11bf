#include "PeerWorld.h"

namespace tvm::test {
namespace {

class Win32PeerCombo : public PeerTest {
protected:
    HWND Edit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Window(Form.Combo), &info);
        return info.hwndItem;
    }
    void Type(const std::string& keys) {
        for (char key : keys) {
            Char(Edit(), key);
        }
    }
};

using Changes = std::vector<std::string>;

TEST_F(Win32PeerCombo, TypedKeysGoThroughTheFilterAndReportEachChange) {
    SetFocus(Edit());
    Type("7x5");
    EXPECT_EQ(Form.Combo.Text(), "75");
    EXPECT_EQ(Text(Edit()), "75");
    EXPECT_EQ(Form.ComboChanges, (Changes{"7", "75"}));
    EXPECT_EQ(Form.KeysSeen, (std::vector<char>{'7', 'x', '5'})) << "x is swallowed";

    Type("12");
    EXPECT_EQ(Form.Combo.Text(), "751") << "at most MaxLength characters";
    EXPECT_EQ(Form.ComboChanges.size(), 3u);
    Type("\b");
    EXPECT_EQ(Form.Combo.Text(), "75");
    EXPECT_EQ(Text(Edit()), "75");
    EXPECT_EQ(Form.ComboChanges.back(), "75");
    EXPECT_EQ(Form.ComboChanges.size(), 4u);
}

TEST_F(Win32PeerCombo, KeysOverASelectionAreAppliedByTheFieldAndReportedOnce) {
    Form.Combo.SetText("60");
    SetFocus(Edit());
    SendMessageA(Edit(), EM_SETSEL, 0, -1);
    Type("8");
    EXPECT_EQ(Form.Combo.Text(), "8");
    EXPECT_EQ(Form.ComboChanges, (Changes{"8"}));
    EXPECT_EQ(Form.KeysSeen, (std::vector<char>{'8'}));

    SendMessageA(Edit(), EM_SETSEL, 0, 0); // the caret before the 8
    Type("x");
    EXPECT_EQ(Form.Combo.Text(), "8") << "the filter swallows keys typed anywhere";
    Type("5");
    EXPECT_EQ(Form.Combo.Text(), "58");
    EXPECT_EQ(Form.ComboChanges, (Changes{"8", "58"}));
}

TEST_F(Win32PeerCombo, PickingAnItemIsSelectItem) {
    SendMessageA(Window(Form.Combo), CB_SETCURSEL, 1, 0);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window(Form.Combo)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Window(Form.Combo)));
    Loop.PumpPending();
    EXPECT_EQ(Form.Combo.ItemIndex(), 1);
    EXPECT_EQ(Form.Combo.Text(), "75");
    EXPECT_EQ(Form.ComboChanges, (Changes{"75"}));
}

TEST_F(Win32PeerCombo, ArrowKeyInTheClosedComboPicksTheNextItem) {
    Form.Combo.SetItemIndex(0);
    SetFocus(Edit());
    Key(VK_DOWN);
    EXPECT_EQ(Form.Combo.ItemIndex(), 1);
    EXPECT_EQ(Form.Combo.Text(), "75");
    EXPECT_EQ(Text(Edit()), "75");
    EXPECT_EQ(Form.ComboChanges, (Changes{"75"}));
}

TEST_F(Win32PeerCombo, CodeChangesShowWithoutComingBackAsUserChanges) {
    Form.Combo.SetText("85");
    EXPECT_EQ(Text(Edit()), "85");
    Form.Combo.SetItems({"50", "56", "60", "70"});
    EXPECT_EQ(SendMessageA(Window(Form.Combo), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Text(Edit()), "85") << "the model's text stays when the list changes";
    Form.Combo.SetItemIndex(2);
    EXPECT_EQ(SendMessageA(Window(Form.Combo), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Text(Edit()), "60");
    Form.Combo.AddItem("72");
    EXPECT_EQ(SendMessageA(Window(Form.Combo), CB_GETCOUNT, 0, 0), 5);
    Form.Combo.SetItemIndex(-1);
    EXPECT_EQ(Text(Edit()), "60");
    Loop.PumpPending();
    EXPECT_TRUE(Form.ComboChanges.empty());
    EXPECT_TRUE(Form.KeysSeen.empty());
}

TEST_F(Win32PeerCombo, TheFieldHoldsAtMostMaxLengthCharacters) {
    EXPECT_EQ(SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0), 3);
}

} // namespace
} // namespace tvm::test
