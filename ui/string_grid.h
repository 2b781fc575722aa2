#pragma once

#include <QTableWidget>

#include <initializer_list>
#include <span>
#include <vector>

class QAbstractButton;

namespace zem {

// A grid of texts addressed like the radio editor's tables: Cell(column, row) with row 0 the
// heading row and column 0 the label column, both fixed (they do not scroll and cannot be
// selected). Cells are never edited in place.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    struct Design {
        int columns;             // the label column included
        int rows;                // the heading row included
        std::vector<int> widths; // pixels, one per column, the label column first
        int rowHeight;
        bool verticalScrollBar;
        bool rangeSelection; // a dragged range may be selected; its top row is the current row
    };

    StringGrid(const Design& design, QWidget* parent = nullptr);

    QString Cell(int column, int row) const;
    // A cell text wider than its column is cut at the edge and shown whole as the cell's tooltip.
    void SetCell(int column, int row, const QString& text);

    // Widens the columns whose widest text (one per column, the label column first; empty for
    // no need) does not fit this font, taking the pixels from `donorColumn`, so that the grid
    // keeps its width and nothing is cut.
    void FitColumns(std::initializer_list<const char*> widestTexts, int donorColumn);

    // The width a column needs to show this text whole.
    int CellWidthFor(const QString& text) const;
    // Widths of every column, the label column first.
    void SetColumnWidths(std::span<const int> widths);

    // The size that shows every cell of the design with nothing left to scroll.
    QSize DesignSize() const;

    // The row of the selected cell, counting the heading row as 0 (so 1 at start).
    int Row() const;

signals:
    // A double-click anywhere in the grid, or the Enter key.
    void DoubleClicked();
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* corner_ = nullptr;
    QString cornerText_;
};

} // namespace zem
