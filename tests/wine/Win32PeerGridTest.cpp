#include "PeerWorld.h"
#include "PumpFor.h"

namespace tvm::test {
namespace {

class Win32PeerGrid : public PeerTest {
protected:
    HWND List() const { return Window(Form.Grid); }
    std::string ItemText(int item, int column) const {
        char buffer[128] = {};
        LVITEMA request{};
        request.iSubItem = column;
        request.pszText = buffer;
        request.cchTextMax = sizeof buffer;
        SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&request));
        return buffer;
    }
    std::string HeaderText(int column) const {
        char buffer[128] = {};
        LVCOLUMNA request{};
        request.mask = LVCF_TEXT;
        request.pszText = buffer;
        request.cchTextMax = sizeof buffer;
        SendMessageA(List(), LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&request));
        return buffer;
    }
    int Selected() const {
        return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                             MAKELPARAM(LVNI_SELECTED, 0)));
    }
    // The user selects an item: the list view's own state change, as a click makes it.
    void SelectItem(int item) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&state));
        Loop.PumpPending();
    }
};

TEST_F(Win32PeerGrid, ShowsRowZeroAsTheHeaderAndTheRestAsItems) {
    const DWORD extended =
        static_cast<DWORD>(SendMessageA(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
              static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_NE(GetWindowLongPtrA(List(), GWL_STYLE) & LVS_SINGLESEL, 0);
    EXPECT_EQ(HeaderText(0), "Resolution");
    EXPECT_EQ(HeaderText(2), "Set At");
    EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(ItemText(0, 0), "640 x 480");
    EXPECT_EQ(ItemText(3, 2), "0");
    EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 1, 0), 80);
    EXPECT_EQ(Selected(), 0) << "the model's row 1";
}

TEST_F(Win32PeerGrid, CodeChangesShowWithoutSelectingAnything) {
    Form.Grid.SetCell(2, 2, "100");
    Form.Grid.SetCell(1, 0, "Depth");
    Form.Grid.SetColWidth(0, 120);
    Form.Grid.SetRowCount(7);
    Form.Grid.SetCell(0, 6, "1600 x 1200");
    EXPECT_EQ(ItemText(1, 2), "100");
    EXPECT_EQ(HeaderText(1), "Depth");
    EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), 120);
    EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 6);
    EXPECT_EQ(ItemText(5, 0), "1600 x 1200");
    Form.Grid.SetRowCount(3);
    EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 2);
    Loop.PumpPending();
    EXPECT_TRUE(Form.CellsAsked.empty());
}

TEST_F(Win32PeerGrid, SelectingARowIsSelectCell) {
    SelectItem(2);
    EXPECT_EQ(Form.CellsAsked, (std::vector<int>{3}));
    EXPECT_EQ(Form.Grid.Row(), 3);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(Win32PeerGrid, ARefusedRowIsPutBack) {
    Form.RefuseCells = true;
    SelectItem(2);
    EXPECT_EQ(Form.CellsAsked, (std::vector<int>{3}));
    EXPECT_EQ(Form.Grid.Row(), 1);
    EXPECT_EQ(Selected(), 0);
}

TEST_F(Win32PeerGrid, AClickOnARowSelectsIt) {
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageA(List(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 10, (item.top + item.bottom) / 2);
    PostMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(List(), WM_LBUTTONUP, 0, at);
    PumpFor(Loop, 100);
    EXPECT_EQ(Form.CellsAsked, (std::vector<int>{4}));
    EXPECT_EQ(Form.Grid.Row(), 4);
    EXPECT_EQ(Selected(), 3);
}

TEST_F(Win32PeerGrid, ClearingTheSelectionPutsTheModelsRowBack) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    Loop.PumpPending();
    EXPECT_EQ(Selected(), 0);
    EXPECT_TRUE(Form.CellsAsked.empty());
}

} // namespace
} // namespace tvm::test
