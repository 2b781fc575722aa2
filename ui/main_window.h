#pragma once

#include "loaded_blocks.h"
#include "menu_actions.h"
#include "prompts.h"
#include "string_grid.h"

#include "model/conversion_error.h"
#include "model/records.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QTabWidget;

namespace zem {

class BandScope;
class HelpWindow;
class MemoryEditing;
class PortMenu;
class RemoteKeys;
class TAboutForm;
class TwaitForm1;
class Tsetform1;
class TSetForm2;
class RadioPage;
enum class Block;
class NavitoraPage;

// The program's main window: owns the user's copy of the radio image with the points it is
// measured against (as the file and the radio last held it) and the current settings-file path,
// shows it on four pages, and carries the main menu.
// Its methods are grouped by concern: design (main_window_design.cpp, main_window_menu.cpp),
// grids (main_window_grids.cpp), files and CSV (main_window_files.cpp), sorts
// (main_window_sorts.cpp), shell commands and closing (main_window_shell.cpp), and the radio
// commands it offers and the link's state it shows (main_window_radio.cpp); the radio work
// itself is done by whoever listens to RadioCommandChosen.
class TFormD7 : public QMainWindow {
    Q_OBJECT
public:
    // `startFile` names a settings file to open at start (the program's first argument); without
    // `prompts` the real message boxes and file dialogs are used.
    explicit TFormD7(const QString& startFile = {}, std::unique_ptr<Prompts> prompts = nullptr,
                     QWidget* parent = nullptr);
    ~TFormD7() override;

    // The windows created once by the start sequence after this one.
    void AttachShellWindows(TwaitForm1* waitWindow, TAboutForm* aboutBox);

    // Editors of one memory channel or one VFO (the edit dialogs); the row index is the table's.
    using ChannelEditor = std::function<void(MemoryChannel&, std::size_t row)>;
    using VfoEditor = std::function<void(VfoRecord&, std::size_t index)>;
    void SetChannelEditor(ChannelEditor editor) { channelEditor_ = std::move(editor); }
    void SetVfoEditor(VfoEditor editor) { vfoEditor_ = std::move(editor); }
    // The two edit dialogs, made once by the start sequence, as those editors.
    void AttachEditDialogs(Tsetform1& memoryDialog, TSetForm2& vfoDialog);

    const RadioImage& Image() const { return image_; }
    // A read's `block` of `image` becomes the table's and is shown, the memory as one step of the
    // 編集 history. `radioHeld`: the session holds the radio's block, so the block is no longer work
    // a read would lose. `whole`: every part came from the radio, which a write of the changes then
    // measures against.
    void ApplyRead(Block block, const RadioImage& image, bool radioHeld, bool whole);
    // The 編集 history's step, done or undone: `channels` become the memory table and the grid is
    // redrawn; the first record the grid cannot show is given back, not shown. Every other change
    // of the table is a step of the history (CommitChannels).
    std::optional<ConversionError> ApplyChannels(const ChannelTable& channels);
    // A block differs from what it was when last read, written, saved or opened: a read would
    // lose work that exists nowhere else.
    bool MemoryChanged() const;
    bool VfoChanged() const;
    bool SettingsChanged() const;
    // The tables or the settings differ from the file last saved or opened (from the start
    // without one); the title shows a '*'.
    bool Unsaved() const;
    // `image`'s block is what the radio holds after a whole read or write.
    void MatchRadio(Block block, const RadioImage& image);
    // A write of `block` ended whole: the radio now holds `written`'s block. A write of the whole
    // block makes it the radio's; a write of the changes only moves what the next one measures
    // against, the block's source stays.
    void ApplyWritten(Block block, const RadioImage& written, bool wholeBlock);
    // The port closed: no block is the radio's any more, the next connection may be another radio.
    void ForgetRadio();
    // The title: the program, the file's name and a '*' while the work is unsaved.
    void ShowTitle();
    const QString& CurrentPath() const { return currentPath_; }
    // Where the blocks came from, for a write of the changes.
    const LoadedBlocks& Loaded() const { return loaded_; }
    Prompts& UserPrompts() { return *prompts_; }

    // Makes `channels` the memory table as one step of the 編集 menu's history (元に戻す takes it
    // back). Every change of the table comes through here; a memory read's completion too.
    // `reportDamage` false leaves a record whose digits the grid cannot show to the caller's own
    // report.
    void CommitChannels(const ChannelTable& channels, const QString& step, bool reportDamage = true);
    MemoryEditing& Editing() { return *editing_; }

    // --- grids (main_window_grids.cpp) ---
    void StartUp(const QString& startFile);
    void RectoGrid();
    // Fills the memory grid and gives the first conversion error instead of showing it.
    std::optional<ConversionError> FillMemoryGrid();
    void VFORectoGrid();
    void VFOformat();
    void MemStringGrid1DblClick();
    void MemStringGrid1KeyPress(); // the Enter key
    void VFOStringGrid1DblClick();

    // --- settings pages ---
    void GetMenu();
    void PutMenu();

    // --- files (main_window_files.cpp) ---
    void Open2Click();
    void Save2Click();
    void Save1Click();
    void CSV1Click();
    void CSV2Click();
    bool Savezem(const QString& path);
    void Openzem(const QString& path);
    // Takes `blocks` of `image` into the table as a file without a name would come (the memory as
    // one step of the 編集 history); the other blocks stay.
    void OpenImage(const RadioImage& image, const std::vector<Block>& blocks);

    // --- sorts (main_window_sorts.cpp) ---
    void S2Click();
    void N1Click();
    void M4Click();

    // --- shell (main_window_shell.cpp) ---
    void Exit1Click();
    void Help2Click();
    void About1Click();
    // The close question; true when the window may close.
    bool FormCloseQuery();

    // Error box for a failure reported by the model (conversion or file error).
    void ShowError(const QString& text);

    // --- radio (main_window_radio.cpp) ---
    // The "通信(&T)" commands, each announced by RadioCommandChosen.
    enum class RadioCommand {
        Connect,
        ModelCheck,
        ModCheck,
        ReadMemory,
        WriteMemory,
        ReadVfo,
        WriteVfo,
        ReadSettings,
        WriteSettings,
        WriteChanged,
        History,
        Diagnose
    };
    void O1Click() { emit RadioCommandChosen(RadioCommand::Connect); }
    void T2Click() { emit RadioCommandChosen(RadioCommand::ModelCheck); }
    void M1Click() { emit RadioCommandChosen(RadioCommand::ModCheck); }
    void M2Click() { emit RadioCommandChosen(RadioCommand::ReadMemory); }
    void R4Click() { emit RadioCommandChosen(RadioCommand::WriteMemory); }
    void VFOV2Click() { emit RadioCommandChosen(RadioCommand::ReadVfo); }
    void VFO1Click() { emit RadioCommandChosen(RadioCommand::WriteVfo); }
    void N8Click() { emit RadioCommandChosen(RadioCommand::ReadSettings); }
    void S1Click() { emit RadioCommandChosen(RadioCommand::WriteSettings); }
    void WriteChangedClick() { emit RadioCommandChosen(RadioCommand::WriteChanged); }
    // ファイル → 無線機の履歴: announced too, since restoring an entry is a radio write.
    void HistoryClick() { emit RadioCommandChosen(RadioCommand::History); }
    void Doctor1Click() { emit RadioCommandChosen(RadioCommand::Diagnose); }
    // The commands a connection enables, with the operations waiting while `busy`.
    void ShowLinkState(bool connected, bool busy);
    // 切断(&C) while connected, 接続(&C) after a connection has ended.
    void ShowConnectCaption(bool connected);
    // While a read may replace a table, nothing else changes it: the commands that would are
    // disabled or refuse, so that nothing the user does is lost when the read ends.
    void ShowTablesReading(bool channels, bool vfos, bool settings);
    bool VerifyAfterWrite() const;
    bool FastTransfers() const;
    bool BackupBeforeWrite() const;
    PortMenu& Ports() { return *ports_; }
    BandScope& Scope() { return *scope_; }
    RemoteKeys& Keys();
    // Shows a text in the status bar until the next one.
    void ShowStatus(const QString& text);

signals:
    void RadioCommandChosen(zem::TFormD7::RadioCommand command);
    // 高速転送 was switched: the pace of every exchange from the next operation on.
    void FastTransfersChosen(bool on);
    // The close question was answered with OK: the window is about to close.
    void CloseAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate(const QString& startFile);
    void BuildDesign();
    MenuActions BuildMenus();
    // Takes `block` of `image` into the table and shows it; the memory as the history's step `step`.
    void ShowBlock(Block block, const RadioImage& image, const QString& step);
    // Enables each command for the link's state and the reads running (main_window_radio.cpp).
    void ShowActionStates();
    QWidget* BuildMemoryPage();
    QWidget* BuildVfoPage();
    void ConnectGrids();
    // A dialog would copy its row back over what the read put there: the row does not open.
    bool RefuseWhileReading(bool reading);
    // The image with the settings pages' edits not yet taken into it.
    RadioImage Work() const;
    // The image is what the file holds, just saved or opened (settings pages taken or filled).
    void MatchFile();
    // The import of a CSV file in the layout of general multi-radio tools, with its one report.
    void ImportChannelLayout(std::string_view bytes);

    std::unique_ptr<Prompts> prompts_;
    RadioImage image_;
    RadioImage fileImage_;     // as the file last saved or opened holds it
    RadioImage matchedImage_;  // each block as last read, written, saved or opened
    bool pagesEdited_ = false; // the settings pages hold edits image_.Settings has not taken
    LoadedBlocks loaded_;
    QString currentPath_;
    int currentRow_ = 0; // the row a dialog was opened for
    MemoryEditing* editing_ = nullptr;
    ChannelEditor channelEditor_;
    VfoEditor vfoEditor_;

    QTabWidget* PageControl1 = nullptr;
    StringGrid* MemStringGrid1 = nullptr;
    StringGrid* VFOStringGrid1 = nullptr;
    RadioPage* radioPage_ = nullptr;
    NavitoraPage* navitoraPage_ = nullptr;
    BandScope* scope_ = nullptr;
    PortMenu* ports_ = nullptr;
    MenuActions actions_;
    bool connected_ = false;
    bool busy_ = false;
    bool channelsReading_ = false;
    bool vfosReading_ = false;
    bool settingsReading_ = false;
    TwaitForm1* waitWindow_ = nullptr;
    TAboutForm* aboutBox_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
};

} // namespace zem
