#include "ui/widgets/Grid.h"

#include "ui/widgets/Application.h"

namespace tvm {

namespace {
const std::string kEmpty;
}

TStringGrid::TStringGrid(TForm& owner)
    : TControl(owner), cells_(static_cast<std::size_t>(cols_ * rows_)),
      colWidths_(static_cast<std::size_t>(cols_), -1) {}

void TStringGrid::SetColCount(int count) {
    if (count < 1 || count == cols_) {
        return;
    }
    std::vector<std::string> cells(static_cast<std::size_t>(count * rows_));
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < count && c < cols_; ++c) {
            cells[static_cast<std::size_t>(r * count + c)] =
                std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
        }
    }
    cells_ = std::move(cells);
    cols_ = count;
    colWidths_.resize(static_cast<std::size_t>(count), -1);
    Sync([&](ControlPeer& p) { p.SyncGridSize(cols_, rows_); });
}

void TStringGrid::SetRowCount(int count) {
    if (count < 1 || count == rows_) {
        return;
    }
    rows_ = count;
    cells_.resize(static_cast<std::size_t>(cols_ * rows_));
    if (row_ >= rows_) {
        row_ = rows_ - 1;
    }
    Sync([&](ControlPeer& p) { p.SyncGridSize(cols_, rows_); });
}

const std::string& TStringGrid::Cell(int column, int row) const {
    if (column < 0 || column >= cols_ || row < 0 || row >= rows_) {
        return kEmpty;
    }
    return cells_[static_cast<std::size_t>(row * cols_ + column)];
}

void TStringGrid::SetCell(int column, int row, const std::string& text) {
    if (column < 0 || column >= cols_ || row < 0 || row >= rows_) {
        return;
    }
    cells_[static_cast<std::size_t>(row * cols_ + column)] = text;
    Sync([&](ControlPeer& p) { p.SyncCell(column, row, text); });
}

int TStringGrid::ColWidth(int column) const {
    if (column < 0 || column >= cols_) {
        return 0;
    }
    const int width = colWidths_[static_cast<std::size_t>(column)];
    return width < 0 ? DefaultColWidth : width;
}

void TStringGrid::SetColWidth(int column, int width) {
    if (column < 0 || column >= cols_) {
        return;
    }
    colWidths_[static_cast<std::size_t>(column)] = width;
    Sync([&](ControlPeer& p) { p.SyncColumnWidth(column, width); });
}

void TStringGrid::SelectCell(int column, int row) {
    if (!Enabled() || row < FixedRows || row >= rows_ || column < 0 || column >= cols_) {
        return;
    }
    App().Dispatch([&] {
        bool canSelect = true;
        if (OnSelectCell) {
            OnSelectCell(column, row, canSelect);
        }
        if (canSelect) {
            row_ = row;
            Sync([&](ControlPeer& p) { p.SyncSelectedRow(row); });
        }
    });
}

void TStringGrid::Replay(ControlPeer& peer) {
    TControl::Replay(peer);
    peer.SyncGridSize(cols_, rows_);
    for (int c = 0; c < cols_; ++c) {
        peer.SyncColumnWidth(c, ColWidth(c));
    }
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            peer.SyncCell(c, r, Cell(c, r));
        }
    }
    peer.SyncSelectedRow(row_);
}

} // namespace tvm
