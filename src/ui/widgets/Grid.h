#pragma once

#include "ui/widgets/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace tvm {

// A grid of text cells with fixed header rows and whole-row selection. Cells cannot
// be edited in place.
class TStringGrid : public TControl {
public:
    explicit TStringGrid(TForm& owner);

    int ColCount() const { return cols_; }
    void SetColCount(int count);
    int RowCount() const { return rows_; }
    // Growing keeps every cell and adds empty rows; shrinking drops the last rows.
    void SetRowCount(int count);
    int FixedRows = 1;
    int DefaultColWidth = 64;
    int DefaultRowHeight = 24;

    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, const std::string& text);

    int ColWidth(int column) const;
    void SetColWidth(int column, int width);

    int Row() const { return row_; } // the selected row

    // The user selects a cell (mouse or keys). OnSelectCell may refuse it.
    void SelectCell(int column, int row);
    void SelectRow(int row) { SelectCell(0, row); }

    std::function<void(int column, int row, bool& canSelect)> OnSelectCell;

protected:
    void Replay(ControlPeer& peer) override;

private:
    int cols_ = 5;
    int rows_ = 5;
    int row_ = 1;
    std::vector<std::string> cells_; // row-major, cols_ per row
    std::vector<int> colWidths_;
};

} // namespace tvm
