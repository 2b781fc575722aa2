#pragma once

class QAction;

namespace zem {

// The main menu's actions that something besides the menu wires, enables or reads, as the
// window's menu builder made them: the memory table's editing takes the 編集 items, printing and
// hiding the empty rows; the band scope its storage items; the window the rest, for the state of
// the link and of the reads. The window owns the actions; the record only points at them.
struct MenuActions {
    // ファイル
    QAction* open = nullptr;
    QAction* importCsv = nullptr;
    QAction* history = nullptr;
    QAction* print = nullptr;
    QAction* pdf = nullptr;
    // 編集
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* clear = nullptr;
    QAction* insertRow = nullptr;
    QAction* deleteRow = nullptr;
    QAction* moveUp = nullptr;
    QAction* moveDown = nullptr;
    QAction* bulkChange = nullptr;
    QAction* find = nullptr;
    QAction* findNext = nullptr;
    QAction* findPrevious = nullptr;
    // 通信
    QAction* connection = nullptr;
    QAction* modelCheck = nullptr;
    QAction* modCheck = nullptr;
    QAction* readMemory = nullptr;
    QAction* writeMemory = nullptr;
    QAction* readVfo = nullptr;
    QAction* writeVfo = nullptr;
    QAction* readSettings = nullptr;
    QAction* writeSettings = nullptr;
    QAction* writeChanged = nullptr;
    QAction* verifyAfterWrite = nullptr;
    QAction* fastTransfer = nullptr;
    QAction* backupBeforeWrite = nullptr;
    // The ポート and スコープ menus as a whole.
    QAction* portMenu = nullptr;
    QAction* scopeMenu = nullptr;
    // メモリ
    QAction* sortByFrequency = nullptr;
    QAction* sortByName = nullptr;
    QAction* sortByMemo = nullptr;
    QAction* hideEmpty = nullptr;
    // スコープ
    QAction* storageStart = nullptr;
    QAction* storageEnd = nullptr;
};

} // namespace zem
