#pragma once

#include "collation/channel_search.h"
#include "model/bulk_change.h"
#include "model/records.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class QAction;
class QTabWidget;

namespace zem {

class StringGrid;
class TFormD7;
struct MenuActions;

// The editing of the memory table: the undo history of its changes, the 編集 menu's commands on
// the rows selected in the memory grid (copy, cut, paste, empty, insert, delete, move, change
// many at once, find), the grid's context menu, hiding the empty rows, and printing the channel
// list. Every change to the table goes through Commit, so each is one step of the history. The
// commands act on the rows shown: a hidden row is never selected.
class MemoryEditing : public QObject {
    Q_OBJECT
public:
    // Wires the window's actions of the 編集 menu, printing and hiding the empty rows; the grid
    // gets multi-row selection and the context menu.
    MemoryEditing(TFormD7& window, StringGrid& grid, QTabWidget& pages, const MenuActions& actions);
    ~MemoryEditing() override;

    // Makes `after` the table as one step named `step`; nothing when it equals the table. The
    // selection becomes `selection` (the current selection when empty), and undoing the step
    // brings back the selection it had.
    // With `reportDamage` false the first redraw leaves a record it cannot show to the caller.
    void Commit(const ChannelTable& after, const QString& step, std::vector<std::size_t> selection = {},
                bool reportDamage = true);

    QUndoStack& History() { return history_; }
    // While a read replaces the table, the commands that change it are disabled; copying stays.
    void SetReading(bool reading);

    // Table indexes of the selected rows shown, ascending; the current row when none is selected.
    std::vector<std::size_t> SelectedRows() const;
    // Selects the rows shown among `rows`; when none is shown, the nearest row shown after the
    // first of them (or before it).
    void SelectRows(std::span<const std::size_t> rows);
    // Hides the empty rows while 空きチャンネルを隠す is checked, after every redraw of the grid.
    void ShowRows();

    // Asks for the fields to change on the selected used rows: the change, or nothing when the
    // user cancelled. The 一括変更 dialog unless a test puts its own answer here.
    using BulkEditor = std::function<std::optional<BulkChange>(std::size_t usedRows)>;
    void SetBulkEditor(BulkEditor editor) { bulkEditor_ = std::move(editor); }

    void Copy();
    void Cut();
    void Paste();
    void EmptySelected();
    void InsertRows();
    void DeleteSelectedRows();
    void MoveUp() { Move(-1); }
    void MoveDown() { Move(+1); }
    void ChangeSelected();
    void Find();
    void FindNext() { FindAgain(true); }
    void FindPrevious() { FindAgain(false); }
    void Print();
    void SavePdf();

private:
    void SavePdfAs(const QString& path);
    void Move(int step);
    void FindAgain(bool forward);
    std::vector<std::size_t> ShownRows() const;
    // Refuses, with a message, a row command on the scan memories, which keep their places.
    bool AllNumbered(std::span<const std::size_t> rows);
    void Refuse(const QString& text);
    void UpdateActions();

    TFormD7& window_;
    StringGrid& grid_;
    QTabWidget& pages_;
    QUndoStack history_;
    std::vector<QAction*> actions_; // in the order of the command table
    QAction* undo_;
    QAction* redo_;
    QAction* hideEmpty_;
    bool reading_ = false;
    BulkEditor bulkEditor_;
    QString findText_;
};

} // namespace zem
