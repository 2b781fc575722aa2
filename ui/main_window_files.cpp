#include "main_window.h"

#include "csv_notes.h"
#include "memory_editing.h"

#include "model/channel_csv.h"
#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/file_name.h"

#include <QFileInfo>
#include <QStatusBar>

#include <algorithm>
#include <filesystem>

namespace zem {
namespace {

// The name's own bytes: a name given as bytes that are not UTF-8 (see FileNameText) opens again.
std::filesystem::path FsPath(const QString& path) {
    return FileNameBytes(path.toStdU16String());
}

bool IsFile(const QString& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(FsPath(path), error);
}

const FileDialogRequest kOpenDialog1{QStringLiteral("OpenDialog1"), QString(), QStringLiteral("ZEM_D7ファイル|*.ZEM"),
                                     QStringLiteral("*.ZEM"), false};
const FileDialogRequest kSaveDialog1{QStringLiteral("SaveDialog1"), QStringLiteral("設定をファイルに保存する"),
                                     QStringLiteral("ZEM_D7ファイル|*.ZEM|*.*|*.*"), QStringLiteral("*.zem"), true};
const FileDialogRequest kOpenDialog2{QStringLiteral("OpenDialog2"), QStringLiteral("CSVファイルを取り込む"),
                                     QStringLiteral("*.CSV|*.csv|*.*|*.*"), QString(), false};
// The import's step in the 編集 menu's history and the caption of its report.
const QString kImportStep = QStringLiteral("CSVファイルの取り込み");

const FileDialogRequest kSaveDialog2{QStringLiteral("SaveDialog2"), QStringLiteral("CSV形式で保存する"),
                                     QStringLiteral("CSVファイル|*.CSV|*.*|*.*"), QStringLiteral("*.csv"), true};

template <typename Import> void ShowImportNotes(TFormD7& window, std::size_t taken, const Import& result) {
    ShowCsvNotes(
        window.UserPrompts(), &window,
        QStringLiteral("%1 チャンネルを取り込みました。TH-D7 に記憶できない行と項目は次のとおりです。").arg(taken),
        result.notes, result.moreNotes, kImportStep);
}

} // namespace

void TFormD7::Open2Click() {
    const QString path = prompts_->OpenFileName(this, kOpenDialog1);
    if (path.isEmpty())
        return;
    Openzem(path);
}

void TFormD7::Save2Click() {
    GetMenu();
    FileDialogRequest request = kSaveDialog1;
    if (!currentPath_.isEmpty())
        request.fileName = currentPath_;
    const QString path = prompts_->SaveFileName(this, request);
    if (!path.isEmpty())
        Savezem(path);
    PutMenu();
    RectoGrid();
    VFORectoGrid();
}

// Saving over the file takes the settings pages first, as saving with the dialog does: edits
// made on the Radio page would otherwise be silently left out of the file.
void TFormD7::Save1Click() {
    if (currentPath_.isEmpty() || !IsFile(currentPath_)) {
        Save2Click();
        return;
    }
    GetMenu();
    Savezem(currentPath_);
}

// The file becomes the save target only once it holds the image, so that a failed save leaves
// the caption naming the file that still holds it.
bool TFormD7::Savezem(const QString& path) {
    try {
        SaveZemFile(FsPath(path), image_);
    } catch (const FileError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return false;
    }
    currentPath_ = path;
    MatchFile();
    return true;
}

// A refused file never becomes the save target: 上書き保存 would write a settings file over it
// without asking.
void TFormD7::Openzem(const QString& path) {
    if (!IsFile(path) || !HasZemExtension(FsPath(path)))
        return;
    if (channelsReading_ || vfosReading_ || settingsReading_) {
        prompts_->Message(this,
                          QStringLiteral("無線機から読み込んでいる間はファイルを開けません。"
                                         "読み込みが終わってから開いてください。"),
                          QStringLiteral("ファイルを開く"));
        return;
    }
    RadioImage read = image_;
    SettingsFileRead outcome;
    try {
        outcome = LoadZemFile(FsPath(path), read);
    } catch (const FileError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    if (!outcome.recognised) {
        prompts_->Message(this, QStringLiteral("ファイル形式が違います"), QStringLiteral("ID"));
        return;
    }
    if (!outcome.refusal.empty()) {
        ShowError(QString::fromStdString(outcome.refusal));
        return;
    }
    currentPath_ = path;
    QStringList warnings;
    for (const std::string& warning : outcome.warnings)
        warnings << ShownInMessage(QString::fromStdString(warning));
    statusBar()->showMessage(warnings.join(QLatin1Char(' ')));
    image_ = read;
    for (const Block b : AllBlocks())
        loaded_.Load(b, BlockSource::File, image_);
    loaded_.menuWarning = outcome.menuWarning;
    PutMenu();
    RectoGrid();
    VFORectoGrid();
    // Another file's steps would bring its rows back into this one.
    editing_->History().clear();
    MatchFile();
    // Lines the table does not hold would be dropped by the next 上書き保存 without a word.
    if (outcome.linesLeft)
        prompts_->Message(this,
                          warnings.join(QLatin1Char('\n')) +
                              QStringLiteral("\n上書き保存すると、読み込まなかった行はファイルから消えます。"),
                          QStringLiteral("警告"));
}

// The entry is nobody's file: the table has no name, so 上書き保存 asks for one. The blocks taken
// count as changed where they differ from the radio and the file, as any edit does.
void TFormD7::OpenImage(const RadioImage& image, const std::vector<Block>& blocks) {
    for (const Block b : blocks) {
        if (b == Block::Settings)
            loaded_.menuWarning.clear();
        ShowBlock(b, image, QStringLiteral("無線機の履歴を開く"));
        loaded_.Load(b, BlockSource::File, image_);
    }
    currentPath_.clear();
    ShowTitle();
}

void TFormD7::CSV1Click() {
    const QString path = prompts_->OpenFileName(this, kOpenDialog2);
    if (path.isEmpty()) {
        RectoGrid();
        return;
    }
    std::string bytes;
    try {
        bytes = ReadWholeFile(FsPath(path), kCsvFileLimit);
    } catch (const FileError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    if (IsChannelCsv(bytes)) {
        ImportChannelLayout(bytes);
        return;
    }
    ChannelTable channels = image_.Channels;
    const CsvImportResult result = ImportCsv(bytes, channels);
    if (!result.refusal.empty()) {
        ShowError(QString::fromStdString(result.refusal));
        return;
    }
    // The rows taken before a bad line are shown before the error is reported.
    CommitChannels(channels, kImportStep);
    if (result.error)
        ShowError(QString::fromUtf8(result.error->what()));
    ShowImportNotes(*this, result.accepted, result);
}

void TFormD7::ImportChannelLayout(std::string_view bytes) {
    const ChannelCsvImport result = ImportChannelCsv(bytes, image_.Channels);
    if (result.error) {
        ShowError(QString::fromStdString(*result.error));
        return;
    }
    CommitChannels(result.channels, kImportStep);
    ShowImportNotes(*this, result.taken, result);
}

// The file is made before the dialog opens: a channel that cannot be written is reported without
// asking for a name first.
void TFormD7::CSV2Click() {
    ChannelCsvExport csv;
    try {
        csv = ExportChannelCsv(image_.Channels);
    } catch (const ConversionError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    const QString path = prompts_->SaveFileName(this, kSaveDialog2);
    if (path.isEmpty())
        return;
    try {
        SaveFileAtomically(FsPath(path), csv.text, OtherThanSettings());
    } catch (const FileError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    ShowCsvNotes(*prompts_, this,
                 QStringLiteral("%1 に保存しました。この形式に書けないので除いた項目は次のとおりです。")
                     .arg(ShownInMessage(QFileInfo(path).fileName())),
                 csv.notes, 0, QStringLiteral("CSV形式に保存"));
}

} // namespace zem
