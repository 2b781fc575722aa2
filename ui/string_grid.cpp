#include "string_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zem {
namespace {

// The column widths were chosen for texts drawn 2 pixels from the cell's left edge and cut at
// its right edge; the style's margins and eliding would turn "135MHz" into "13…".
constexpr int kTextIndent = 2;

void DrawCellText(QPainter* painter, const QRect& cell, const QString& text, const QColor& colour) {
    painter->save();
    painter->setClipRect(cell);
    painter->setPen(colour);
    painter->drawText(cell.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette& pal = option.palette;
        if (selected)
            painter->fillRect(option.rect, pal.brush(QPalette::Highlight));
        DrawCellText(painter, option.rect, index.data().toString(),
                     pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        // The current cell shows where the keys act.
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = pal.color(selected ? QPalette::Highlight : QPalette::Base);
            const QWidget* view = option.widget;
            (view ? view->style() : QApplication::style())
                ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
        }
    }
};

// A fixed row or column: grey cells with a darker edge, text placed like the cells'.
class FixedHeader : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        PaintFixedCell(painter, rect, model()->headerData(logicalIndex, orientation()).toString(), palette());
    }

public:
    static void PaintFixedCell(QPainter* painter, const QRect& rect, const QString& text, const QPalette& pal) {
        painter->fillRect(rect, pal.brush(QPalette::Button));
        painter->save();
        painter->setPen(pal.color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->restore();
        DrawCellText(painter, rect, text, pal.color(QPalette::ButtonText));
    }
};

} // namespace

StringGrid::StringGrid(const Design& design, QWidget* parent)
    : QTableWidget(design.rows - 1, design.columns - 1, parent) {
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, this));
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(design.rangeSelection ? QAbstractItemView::ContiguousSelection
                                           : QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The arrows move inside the grid; Tab goes on to the next control, so that every control
    // of the page can be reached from the keyboard.
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(design.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false); // a click on a fixed cell keeps the selection
        header->setHighlightSections(false);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        connect(header, &QHeaderView::sectionDoubleClicked, this, &StringGrid::DoubleClicked);
    }
    verticalHeader()->setDefaultSectionSize(design.rowHeight);
    horizontalHeader()->setFixedHeight(design.rowHeight + 2);

    SetColumnWidths(design.widths);

    for (int c = 1; c < design.columns; ++c)
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
    for (int r = 1; r < design.rows; ++r) {
        setVerticalHeaderItem(r - 1, new QTableWidgetItem);
        for (int c = 1; c < design.columns; ++c)
            setItem(r - 1, c - 1, new QTableWidgetItem);
    }

    // The corner cell keeps a text of its own ("Ch", "Band"); Qt's corner button has none.
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    connect(this, &QTableWidget::cellDoubleClicked, this, &StringGrid::DoubleClicked);
    setCurrentCell(0, 0);
}

QString StringGrid::Cell(int column, int row) const {
    if (row == 0 && column == 0)
        return cornerText_;
    const QTableWidgetItem* it = row == 0      ? horizontalHeaderItem(column - 1)
                                 : column == 0 ? verticalHeaderItem(row - 1)
                                               : item(row - 1, column - 1);
    return it ? it->text() : QString();
}

void StringGrid::SetCell(int column, int row, const QString& text) {
    if (row == 0 && column == 0) {
        cornerText_ = text;
        if (corner_)
            corner_->update();
        return;
    }
    QTableWidgetItem* it = row == 0      ? horizontalHeaderItem(column - 1)
                           : column == 0 ? verticalHeaderItem(row - 1)
                                         : item(row - 1, column - 1);
    if (!it)
        return;
    it->setText(text);
    if (row > 0 && column > 0)
        it->setToolTip(CellWidthFor(text) > columnWidth(column - 1) ? text : QString());
}

void StringGrid::FitColumns(std::initializer_list<const char*> widestTexts, int donorColumn) {
    int taken = 0;
    int column = 0;
    for (const char* text : widestTexts) {
        const int need = CellWidthFor(QString::fromUtf8(text));
        if (column > 0 && column != donorColumn && need > columnWidth(column - 1)) {
            taken += need - columnWidth(column - 1);
            setColumnWidth(column - 1, need);
        }
        ++column;
    }
    setColumnWidth(donorColumn - 1, columnWidth(donorColumn - 1) - taken);
}

int StringGrid::CellWidthFor(const QString& text) const {
    return QFontMetrics(font()).horizontalAdvance(text) + 2 * kTextIndent;
}

void StringGrid::SetColumnWidths(std::span<const int> widths) {
    auto width = widths.begin();
    verticalHeader()->setFixedWidth(*width++);
    for (int c = 0; width != widths.end(); ++c, ++width)
        setColumnWidth(c, *width);
}

QSize StringGrid::DesignSize() const {
    int width = verticalHeader()->width() + 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    int height = horizontalHeader()->height() + 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r)
        height += rowHeight(r);
    return {width, height};
}

int StringGrid::Row() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (selectionMode() == QAbstractItemView::ContiguousSelection && !ranges.isEmpty())
        return ranges.constFirst().topRow() + 1;
    return currentRow() + 1;
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit EnterPressed();
        event->accept();
        return;
    }
    // The keyboard's way to the grid's menu, at the current cell.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        const QPoint at = visualRect(currentIndex()).center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(this, &menu);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// Ctrl+Home and Ctrl+End would move the current cell and leave the selection behind, and the
// commands would then act on rows the user no longer sees as chosen: they select the new row as
// the plain keys do.
QItemSelectionModel::SelectionFlags StringGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    if (event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool jump = key->key() == Qt::Key_Home || key->key() == Qt::Key_End || key->key() == Qt::Key_PageUp ||
                          key->key() == Qt::Key_PageDown;
        if (jump && key->modifiers() == Qt::ControlModifier)
            return QItemSelectionModel::ClearAndSelect |
                   (selectionBehavior() == SelectRows ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    }
    return QTableWidget::selectionCommand(index, event);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QPainter painter(corner_);
        FixedHeader::PaintFixedCell(&painter, corner_->rect(), cornerText_, palette());
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace zem
