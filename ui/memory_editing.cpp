#include "memory_editing.h"

#include "bulk_change_dialog.h"
#include "channel_clipboard.h"
#include "csv_notes.h"
#include "main_window.h"
#include "string_grid.h"

#include "model/channel_rows.h"
#include "model/command_text.h"
#include "model/conversion_error.h"
#include "model/file_io.h"
#include "model/file_name.h"
#include "print/channel_print.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QUndoCommand>

#include <algorithm>
#include <numeric>

namespace zem {
namespace {

constexpr int kHistorySteps = 200;
constexpr int kMemoryPage = 0;
const QString kCaption = QStringLiteral("編集");
const QString kNothingToPaste = QStringLiteral("クリップボードに貼り付けられる行がありません。");

// One change of the table: the rows it changed, as they were and as they became, with the
// selection on each side.
class TableStep : public QUndoCommand {
public:
    TableStep(MemoryEditing& editing, TFormD7& window, const QString& text, const ChannelTable& after,
              std::vector<std::size_t> selectionBefore, std::vector<std::size_t> selectionAfter, bool reportDamage)
        : QUndoCommand(text), editing_(editing), window_(window), selectionBefore_(std::move(selectionBefore)),
          selectionAfter_(std::move(selectionAfter)), reportDamage_(reportDamage) {
        const ChannelTable& before = window.Image().Channels;
        for (std::size_t r = 0; r < kChannelRows; ++r) {
            if (!(before[r] == after[r]))
                rows_.push_back({r, before[r], after[r]});
        }
    }

    bool Empty() const { return rows_.empty(); }
    void undo() override { Apply(&Row::before, selectionBefore_); }
    void redo() override { Apply(&Row::after, selectionAfter_); }

private:
    struct Row {
        std::size_t index;
        MemoryChannel before;
        MemoryChannel after;
    };

    void Apply(MemoryChannel Row::*side, const std::vector<std::size_t>& selection) {
        ChannelTable table = window_.Image().Channels;
        for (const Row& row : rows_)
            table[row.index] = row.*side;
        const std::optional<ConversionError> damage = window_.ApplyChannels(table);
        if (damage && reportDamage_)
            window_.ShowError(QString::fromUtf8(damage->what()));
        reportDamage_ = true;
        editing_.SelectRows(selection);
    }

    MemoryEditing& editing_;
    TFormD7& window_;
    std::vector<Row> rows_;
    std::vector<std::size_t> selectionBefore_;
    std::vector<std::size_t> selectionAfter_;
    bool reportDamage_; // the first redraw only: a step taken again reports as any redraw does
};

struct Command {
    QAction* MenuActions::*action;
    std::vector<QKeySequence> keys;
    void (MemoryEditing::*run)(); // none for undo and redo, which the history runs
    bool keepsTable = false;      // usable while a read replaces the table
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {&MenuActions::undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, nullptr},
        {&MenuActions::redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         nullptr},
        {&MenuActions::cut, {QKeySequence(Qt::CTRL | Qt::Key_X)}, &MemoryEditing::Cut},
        {&MenuActions::copy, {QKeySequence(Qt::CTRL | Qt::Key_C)}, &MemoryEditing::Copy, true},
        {&MenuActions::paste, {QKeySequence(Qt::CTRL | Qt::Key_V)}, &MemoryEditing::Paste},
        {&MenuActions::clear, {QKeySequence(Qt::Key_Delete)}, &MemoryEditing::EmptySelected},
        {&MenuActions::insertRow, {QKeySequence(Qt::CTRL | Qt::Key_Insert)}, &MemoryEditing::InsertRows},
        {&MenuActions::deleteRow, {QKeySequence(Qt::CTRL | Qt::Key_Delete)}, &MemoryEditing::DeleteSelectedRows},
        {&MenuActions::moveUp, {QKeySequence(Qt::CTRL | Qt::Key_Up)}, &MemoryEditing::MoveUp},
        {&MenuActions::moveDown, {QKeySequence(Qt::CTRL | Qt::Key_Down)}, &MemoryEditing::MoveDown},
        {&MenuActions::bulkChange, {}, &MemoryEditing::ChangeSelected},
        {&MenuActions::find, {QKeySequence(Qt::CTRL | Qt::Key_F)}, &MemoryEditing::Find, true},
        {&MenuActions::findNext, {QKeySequence(Qt::Key_F3)}, &MemoryEditing::FindNext, true},
        {&MenuActions::findPrevious, {QKeySequence(Qt::SHIFT | Qt::Key_F3)}, &MemoryEditing::FindPrevious, true},
    };
    return commands;
}

} // namespace

MemoryEditing::MemoryEditing(TFormD7& window, StringGrid& grid, QTabWidget& pages, const MenuActions& actions)
    : QObject(&window), window_(window), grid_(grid), pages_(pages), undo_(actions.undo), redo_(actions.redo),
      hideEmpty_(actions.hideEmpty) {
    history_.setUndoLimit(kHistorySteps);
    grid_.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_.setContextMenuPolicy(Qt::ActionsContextMenu);
    // The commands act on the highlighted rows: the current row is highlighted from the start.
    SelectRows(std::vector<std::size_t>{0});

    for (const Command& command : Commands()) {
        QAction* action = actions_.emplace_back(actions.*command.action);
        action->setShortcuts(QList<QKeySequence>(command.keys.begin(), command.keys.end()));
        grid_.addAction(action);
        if (command.run)
            connect(action, &QAction::triggered, this, command.run);
    }
    connect(undo_, &QAction::triggered, &history_, &QUndoStack::undo);
    connect(redo_, &QAction::triggered, &history_, &QUndoStack::redo);
    connect(actions.print, &QAction::triggered, this, &MemoryEditing::Print);
    connect(actions.pdf, &QAction::triggered, this, &MemoryEditing::SavePdf);
    // A current row that is hidden gives way to the next row shown.
    connect(hideEmpty_, &QAction::toggled, this, [this] {
        const std::vector<std::size_t> selected = SelectedRows();
        ShowRows();
        const std::vector<std::size_t> shown = SelectedRows();
        SelectRows(shown.empty() ? selected : shown);
    });
    bulkEditor_ = [this](std::size_t usedRows) -> std::optional<BulkChange> {
        BulkChangeDialog dialog(window_.UserPrompts(), usedRows, &window_);
        return dialog.exec() == QDialog::Accepted ? dialog.Change() : std::nullopt;
    };
    connect(&history_, &QUndoStack::indexChanged, this, &MemoryEditing::UpdateActions);
    connect(&pages_, &QTabWidget::currentChanged, this, &MemoryEditing::UpdateActions);
    UpdateActions();
}

// The history empties itself as it goes, telling of each step; nothing here is left to hear it.
MemoryEditing::~MemoryEditing() {
    history_.disconnect(this);
}

void MemoryEditing::SetReading(bool reading) {
    reading_ = reading;
    UpdateActions();
}

// The row commands act on what the Memory page shows; elsewhere their keys belong to the page.
void MemoryEditing::UpdateActions() {
    const bool shown = pages_.currentIndex() == kMemoryPage;
    for (std::size_t k = 0; k < actions_.size(); ++k)
        actions_[k]->setEnabled(shown && (!reading_ || Commands()[k].keepsTable));
    undo_->setEnabled(shown && !reading_ && history_.canUndo());
    redo_->setEnabled(shown && !reading_ && history_.canRedo());
    undo_->setStatusTip(history_.undoText());
    redo_->setStatusTip(history_.redoText());
}

void MemoryEditing::Commit(const ChannelTable& after, const QString& step, std::vector<std::size_t> selection,
                           bool reportDamage) {
    std::vector<std::size_t> before = SelectedRows();
    if (selection.empty())
        selection = before;
    auto command =
        std::make_unique<TableStep>(*this, window_, step, after, std::move(before), std::move(selection), reportDamage);
    if (command->Empty()) {
        if (reportDamage)
            window_.RectoGrid();
        else
            window_.FillMemoryGrid();
        return;
    }
    history_.push(command.release());
}

std::vector<std::size_t> MemoryEditing::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : grid_.selectionModel()->selectedRows()) {
        if (!grid_.isRowHidden(index.row()))
            rows.push_back(static_cast<std::size_t>(index.row()));
    }
    if (rows.empty() && grid_.currentRow() >= 0 && !grid_.isRowHidden(grid_.currentRow()))
        rows.push_back(static_cast<std::size_t>(grid_.currentRow()));
    std::ranges::sort(rows);
    return rows;
}

std::vector<std::size_t> MemoryEditing::ShownRows() const {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (!grid_.isRowHidden(static_cast<int>(row)))
            rows.push_back(row);
    }
    return rows;
}

void MemoryEditing::ShowRows() {
    const bool hide = hideEmpty_->isChecked();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        grid_.setRowHidden(static_cast<int>(row), hide && IsEmptyRow(window_.Image().Channels[row]));
}

void MemoryEditing::SelectRows(std::span<const std::size_t> rows) {
    if (rows.empty())
        return;
    std::vector<std::size_t> shown;
    std::ranges::copy_if(rows, std::back_inserter(shown),
                         [this](std::size_t row) { return !grid_.isRowHidden(static_cast<int>(row)); });
    if (shown.empty()) {
        const std::vector<std::size_t> all = ShownRows();
        if (all.empty())
            return;
        const auto after = std::ranges::lower_bound(all, rows.front());
        shown.push_back(after != all.end() ? *after : all.back());
    }
    grid_.setCurrentCell(static_cast<int>(shown.front()), std::max(grid_.currentColumn(), 0),
                         QItemSelectionModel::NoUpdate);
    QItemSelection selection;
    for (std::size_t row : shown) {
        const QModelIndex first = grid_.model()->index(static_cast<int>(row), 0);
        selection.select(first, first.siblingAtColumn(grid_.columnCount() - 1));
    }
    grid_.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    grid_.scrollTo(grid_.model()->index(static_cast<int>(shown.front()), 0));
}

void MemoryEditing::Refuse(const QString& text) {
    window_.UserPrompts().Message(&window_, text, kCaption);
}

bool MemoryEditing::AllNumbered(std::span<const std::size_t> rows) {
    if (std::ranges::all_of(rows, [](std::size_t r) { return r < kNumberedChannels; }))
        return true;
    Refuse(QStringLiteral("L0〜U9 は走査範囲の組なので、行の挿入・削除・移動はできません。"
                          "チャンネル 0〜149 の行を選んでください。"));
    return false;
}

void MemoryEditing::Copy() {
    try {
        QApplication::clipboard()->setMimeData(ChannelRowsMimeData(window_.Image().Channels, SelectedRows()).release());
    } catch (const ConversionError& e) {
        window_.ShowError(QString::fromUtf8(e.what()));
    }
}

void MemoryEditing::Cut() {
    const std::vector<std::size_t> rows = SelectedRows();
    try {
        QApplication::clipboard()->setMimeData(ChannelRowsMimeData(window_.Image().Channels, rows).release());
    } catch (const ConversionError& e) {
        window_.ShowError(QString::fromUtf8(e.what()));
        return;
    }
    Commit(EmptyRows(window_.Image().Channels, rows), QStringLiteral("切り取り"));
}

void MemoryEditing::Paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const ClipboardRows pasted = data ? ChannelRowsFromMimeData(*data) : ClipboardRows{};
    if (!data || pasted.error) {
        Refuse(pasted.error.value_or(kNothingToPaste));
        return;
    }
    const std::vector<std::size_t> selected = SelectedRows();
    if (selected.empty())
        return;
    if (pasted.channels.empty() && pasted.notes.empty()) {
        Refuse(kNothingToPaste);
        return;
    }
    const std::size_t start = selected.front();
    const std::optional<ChannelTable> table = PlaceRows(window_.Image().Channels, start, pasted.channels);
    if (!table) {
        Refuse(QStringLiteral(
                   "%1 行を %2 から貼り付けると%3の終わりを越えます。貼り付ける行を減らすか、上の行を選んでください。")
                   .arg(pasted.channels.size())
                   .arg(QString::fromStdString(RowLabel(start)))
                   .arg(start < kNumberedChannels ? QStringLiteral("チャンネル 149 ") : QStringLiteral(" U9 ")));
        return;
    }
    std::vector<std::size_t> rows(pasted.channels.size());
    std::iota(rows.begin(), rows.end(), start);
    Commit(*table, QStringLiteral("貼り付け"), rows);
    ShowCsvNotes(window_.UserPrompts(), &window_,
                 QStringLiteral("%1 チャンネルを貼り付けました。TH-D7 に記憶できない行と項目は次のとおりです。")
                     .arg(std::ranges::count_if(pasted.channels, [](const auto& ch) { return ch.has_value(); })),
                 pasted.notes, pasted.moreNotes, kCaption);
}

void MemoryEditing::EmptySelected() {
    Commit(EmptyRows(window_.Image().Channels, SelectedRows()), QStringLiteral("削除"));
}

void MemoryEditing::InsertRows() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !AllNumbered(rows))
        return;
    const std::optional<ChannelTable> table = InsertEmptyRows(window_.Image().Channels, rows.front(), rows.size());
    if (!table) {
        Refuse(rows.size() == 1
                   ? QStringLiteral("チャンネル 149 が使われているので、行を挿入できません。"
                                    "チャンネル 149 を空けるか削除してから挿入してください。")
                   : QStringLiteral("チャンネル %1〜149 に使われているチャンネルがあるので、%2 行を挿入できません。")
                         .arg(kNumberedChannels - rows.size())
                         .arg(rows.size()));
        return;
    }
    Commit(*table, QStringLiteral("行の挿入"));
}

void MemoryEditing::DeleteSelectedRows() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !AllNumbered(rows))
        return;
    Commit(*DeleteRows(window_.Image().Channels, rows), QStringLiteral("行の削除"), {rows.front()});
}

void MemoryEditing::Move(int step) {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !AllNumbered(rows))
        return;
    // At the top or the bottom the rows stay where they are, as a list's move does.
    if (const std::optional<ChannelTable> table = MoveRows(window_.Image().Channels, rows, step))
        Commit(*table, step < 0 ? QStringLiteral("上へ移動") : QStringLiteral("下へ移動"), MovedRows(rows, step));
}

void MemoryEditing::ChangeSelected() {
    const std::vector<std::size_t> rows = SelectedRows();
    const auto used = static_cast<std::size_t>(
        std::ranges::count_if(rows, [this](std::size_t r) { return !IsEmptyRow(window_.Image().Channels[r]); }));
    if (used == 0) {
        Refuse(QStringLiteral("使われているチャンネルを選んでから一括変更してください。"));
        return;
    }
    const std::optional<BulkChange> change = bulkEditor_(used);
    if (!change || change->Empty())
        return;
    const BulkResult result = ApplyBulkChange(window_.Image().Channels, rows, *change);
    Commit(result.table, QStringLiteral("一括変更"), rows);
    if (result.refused.empty())
        return;
    QString text = QStringLiteral("次のチャンネルは変更できないので、元のまま残しました。");
    for (const std::string& line : RefusalLines(result.refused))
        text += QLatin1Char('\n') + QString::fromStdString(line);
    Refuse(text);
}

void MemoryEditing::Find() {
    const std::optional<QString> text = window_.UserPrompts().Text(
        &window_, QStringLiteral("名前・メモの文字、または周波数 (MHz):"), QStringLiteral("検索"), findText_);
    if (!text || text->trimmed().isEmpty())
        return;
    findText_ = *text;
    FindAgain(true);
}

void MemoryEditing::FindAgain(bool forward) {
    if (findText_.isEmpty()) {
        Find();
        return;
    }
    const int current = grid_.currentRow();
    const std::optional<FoundRow> found =
        FindChannel(window_.Image().Channels, ShownRows(), ChannelQuery(findText_),
                    current >= 0 ? std::optional(static_cast<std::size_t>(current)) : std::nullopt, forward);
    if (!found) {
        window_.ShowStatus(QString());
        Refuse(QStringLiteral("「%1」は見つかりません。").arg(findText_));
        return;
    }
    SelectRows(std::vector<std::size_t>{found->row});
    window_.ShowStatus(!found->wrapped ? QString()
                       : forward ? QStringLiteral("末尾まで検索したので、先頭から続けました。")
                                 : QStringLiteral("先頭まで検索したので、末尾から続けました。"));
}

namespace {

PrintHeader HeaderOf(const TFormD7& window) {
    return {QFileInfo(window.CurrentPath()).fileName(), QDateTime::currentDateTime()};
}

} // namespace

// "Print to file" in the dialog writes its file through the safe save, as PDFに保存 does.
void MemoryEditing::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ChannelListPageLayout());
    printer.setDocName(QStringLiteral("ZEM_D7"));
    QPrintDialog dialog(&printer, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printer.outputFileName().isEmpty())
        SavePdfAs(printer.outputFileName());
    else
        PaintChannelList(printer, window_.Image().Channels, HeaderOf(window_));
}

// A name typed without an extension gets ".pdf", so that the file opens as a PDF.
void MemoryEditing::SavePdf() {
    const QString base = window_.CurrentPath().isEmpty() ? QStringLiteral("channels")
                                                         : QFileInfo(window_.CurrentPath()).completeBaseName();
    const QString path = window_.UserPrompts().SaveFileName(
        &window_, {QStringLiteral("SavePdfDialog"), QStringLiteral("PDFに保存"), QStringLiteral("PDFファイル|*.pdf"),
                   base + QStringLiteral(".pdf"), true});
    if (path.isEmpty())
        return;
    SavePdfAs(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".pdf") : path);
}

// The list never replaces a settings file, whatever its name.
void MemoryEditing::SavePdfAs(const QString& path) {
    try {
        SaveFileAtomically(FileNameBytes(path.toStdU16String()),
                           ChannelListPdf(window_.Image().Channels, HeaderOf(window_)), OtherThanSettings());
    } catch (const FileError& e) {
        window_.ShowError(QString::fromUtf8(e.what()));
    }
}

} // namespace zem
