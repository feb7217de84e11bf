#include "platform/win32/Win32Peers.h"

#include "platform/win32/Win32Handles.h"
#include "ui/widgets/Grid.h"

#include <algorithm>

namespace tvm {

namespace {

// Asks the list to bring its selection in line with the model once the change being
// notified is over: the list must not be changed from inside its own notification.
constexpr UINT ReconcileMessage = WM_APP + 1;

// The string grid as a report-style list view: grid row 0 is the header, the rows
// below the fixed ones are the list's items. A row the user selects goes to the model
// as TStringGrid::SelectCell(0, row); when the model refuses it, or the user clears
// the selection, the list is put back to the model's row.
class GridPeer final : public Win32ControlPeer {
public:
    GridPeer(Win32FormPeer& form, Win32Host& host, TStringGrid& grid)
        : Win32ControlPeer(form, host, grid), grid_(grid) {
        Create(WC_LISTVIEWA,
               WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                   (grid.FixedRows > 0 ? 0 : LVS_NOCOLUMNHEADER),
               WS_EX_CLIENTEDGE);
        const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
        SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        ApplyRowHeight();
        SetWindowSubclass(Handle(), &GridPeer::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }

    ~GridPeer() override { RemoveWindowSubclass(Handle(), &GridPeer::ListProc, 1); }

    bool TabStop() const override { return true; }

    void SyncText(const std::string& /*text*/) override {}

    void SyncGridSize(int columns, int rows) override {
        EchoGuard guard(*this);
        int shown = ColumnCount();
        while (shown < columns) {
            std::string text = grid_.Cell(shown, 0);
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = Form().Scale(grid_.ColWidth(shown));
            column.pszText = text.data();
            SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(shown),
                         reinterpret_cast<LPARAM>(&column));
            ++shown;
        }
        while (shown > columns) {
            --shown;
            SendMessageA(Handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(shown), 0);
        }
        const int wanted = std::max(rows - grid_.FixedRows, 0);
        auto items = static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
        while (items < wanted) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = items;
            item.pszText = const_cast<char*>("");
            SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (int c = 0; c < columns; ++c) {
                SetItemText(items, c, grid_.Cell(c, items + grid_.FixedRows));
            }
            ++items;
        }
        while (items > wanted) {
            --items;
            SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(items), 0);
        }
        // Shrinking may have moved the model's row without a word.
        ShowRow(grid_.Row());
    }

    void SyncCell(int column, int row, const std::string& text) override {
        EchoGuard guard(*this);
        if (row >= grid_.FixedRows) {
            SetItemText(row - grid_.FixedRows, column, text);
        } else if (row == 0) {
            std::string copy = text;
            LVCOLUMNA header{};
            header.mask = LVCF_TEXT;
            header.pszText = copy.data();
            SendMessageA(Handle(), LVM_SETCOLUMNA, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&header));
        }
    }

    void SyncColumnWidth(int column, int width) override {
        EchoGuard guard(*this);
        SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     MAKELPARAM(Form().Scale(width), 0));
    }

    void OnDpiChanged() override {
        Win32ControlPeer::OnDpiChanged();
        ApplyRowHeight();
        for (int column = 0; column < ColumnCount(); ++column) {
            SyncColumnWidth(column, grid_.ColWidth(column));
        }
    }

    void SyncSelectedRow(int row) override { ShowRow(row); }

    LRESULT OnNotify(const NMHDR& header) override {
        if (header.code != LVN_ITEMCHANGED || Echoing()) {
            return 0;
        }
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) == 0) {
            return 0;
        }
        const bool was = (change.uOldState & LVIS_SELECTED) != 0;
        const bool is = (change.uNewState & LVIS_SELECTED) != 0;
        if (is && !was && change.iItem >= 0) {
            const int row = change.iItem + grid_.FixedRows;
            Guard([&] { grid_.SelectCell(0, row); });
            if (grid_.Row() != row) {
                PostMessageA(Handle(), ReconcileMessage, 0, 0);
            }
        } else if (was && !is) {
            PostMessageA(Handle(), ReconcileMessage, 0, 0);
        }
        return 0;
    }

private:
    // A report list's rows are as high as its small pictures or its font, whichever is
    // higher, and one more for the grid line: a list of empty pictures one pixel wide
    // and one less than the grid's row height gives the rows that height at the form's
    // DPI. The list view owns the current list (no LVS_SHAREIMAGELISTS); the one it
    // hands back is ours to destroy.
    void ApplyRowHeight() {
        const HIMAGELIST rows = ImageList_Create(
            1, std::max(1, Form().Scale(grid_.DefaultRowHeight) - 1), ILC_COLOR, 0, 0);
        const OwnedImageList previous(reinterpret_cast<HIMAGELIST>(
            SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows))));
    }

    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
        if (message == ReconcileMessage) {
            auto* peer = reinterpret_cast<GridPeer*>(data);
            peer->ShowRow(peer->grid_.Row());
            return 0;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    int ColumnCount() const {
        const auto header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
        return header == nullptr ? 0
                                 : static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }

    void SetItemText(int item, int column, const std::string& text) {
        std::string copy = text;
        LVITEMA subItem{};
        subItem.iSubItem = column;
        subItem.pszText = copy.data();
        SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&subItem));
    }

    // Selects and focuses the row's item, alone; a fixed row selects nothing.
    void ShowRow(int row) {
        EchoGuard guard(*this);
        const int item = row - grid_.FixedRows;
        const auto selected = static_cast<int>(SendMessageA(
            Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
        if (selected == item && item >= 0) {
            return;
        }
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        if (item < 0) {
            state.state = 0;
            SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&state));
            return;
        }
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    }

    TStringGrid& grid_;
};

} // namespace

std::unique_ptr<Win32ControlPeer> CreateGridPeer(Win32FormPeer& form, Win32Host& host,
                                                 TStringGrid& grid) {
    return std::make_unique<GridPeer>(form, host, grid);
}

} // namespace tvm
