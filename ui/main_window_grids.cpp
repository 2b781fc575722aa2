#include "main_window.h"

#include "memory_dialog.h"
#include "memory_editing.h"
#include "vfo_dialog.h"

#include "model/command_text.h"
#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/grid_text.h"
#include "model/startup_image.h"

#include <QComboBox>
#include <QFileInfo>

#include <optional>

namespace zem {
namespace {

// As every shown text: a byte that starts no CP932 character or a control character as \xNN.
QString ScreenText(const std::string& cp932) {
    return QString::fromStdString(ShownCp932(cp932));
}

// Fills one row's cells; a cell whose stored digits do not convert stays blank and its error is
// kept, so one damaged record never hides the rows after it.
template <typename Cells>
void FillRow(StringGrid* grid, int row, int columns, Cells cell, std::optional<ConversionError>& firstError) {
    for (int c = 1; c <= columns; ++c) {
        try {
            grid->SetCell(c, row, ScreenText(cell(c - 1)));
        } catch (const ConversionError& e) {
            grid->SetCell(c, row, QString());
            if (!firstError)
                firstError = e;
        }
    }
}

} // namespace

void TFormD7::StartUp(const QString& startFile) {
    for (std::size_t i = 0; i < kChannelRows; ++i) {
        MemStringGrid1->SetCell(0, static_cast<int>(i) + 1, QString::fromStdString(RowLabel(i)));
        image_.Channels[i] = MemoryChannel{};
        image_.Channels[i].EmptyFlag = '1';
    }
    MemStringGrid1->SetCell(0, 0, QString::fromUtf8(kMemoryCornerHeading));
    for (std::size_t c = 0; c < MemoryColumns().size(); ++c)
        MemStringGrid1->SetCell(static_cast<int>(c) + 1, 0, QString::fromUtf8(MemoryColumns()[c].heading));

    for (std::size_t v = 0; v < kVfoCount; ++v)
        VFOStringGrid1->SetCell(0, static_cast<int>(v) + 1, QString::fromUtf8(VfoTableFacts()[v].label));
    VFOStringGrid1->SetCell(0, 0, QString::fromUtf8(kVfoCornerHeading));
    for (std::size_t c = 0; c < VfoColumns().size(); ++c)
        VFOStringGrid1->SetCell(static_cast<int>(c) + 1, 0, QString::fromUtf8(VfoColumns()[c].heading));

    VFOformat();

    if (!startFile.isEmpty())
        Openzem(QFileInfo(startFile).absoluteFilePath());
    GetMenu();
    // Without a file the start-up values are what the user's edits are told from.
    for (const Block b : AllBlocks())
        if (loaded_.SourceOf(b) == BlockSource::Never)
            loaded_.Load(b, BlockSource::Never, image_);
    RectoGrid();
    VFORectoGrid();
    // Without a file, the start is what unsaved work is measured against.
    MatchFile();
}

std::optional<ConversionError> TFormD7::FillMemoryGrid() {
    std::optional<ConversionError> firstError;
    for (std::size_t i = 0; i < kChannelRows; ++i) {
        const MemoryChannel& ch = image_.Channels[i];
        FillRow(
            MemStringGrid1, static_cast<int>(i) + 1, static_cast<int>(MemoryColumns().size()),
            [&ch](int c) { return MemoryCell(static_cast<std::size_t>(c), ch); }, firstError);
    }
    editing_->ShowRows();
    return firstError;
}

void TFormD7::RectoGrid() {
    if (const std::optional<ConversionError> error = FillMemoryGrid())
        ShowError(QString::fromUtf8(error->what()));
}

void TFormD7::VFORectoGrid() {
    std::optional<ConversionError> firstError;
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        const VfoRecord& vfo = image_.Vfos[v];
        FillRow(
            VFOStringGrid1, static_cast<int>(v) + 1, static_cast<int>(VfoColumns().size()),
            [&vfo](int c) { return VfoColumns()[static_cast<std::size_t>(c)].cell(vfo); }, firstError);
    }
    if (firstError)
        ShowError(QString::fromUtf8(firstError->what()));
}

void TFormD7::VFOformat() {
    image_.Vfos = DefaultVfos();
}

void TFormD7::MemStringGrid1DblClick() {
    currentRow_ = MemStringGrid1->Row() - 1;
    if (!channelEditor_ || currentRow_ < 0 || RefuseWhileReading(channelsReading_))
        return;
    const auto row = static_cast<std::size_t>(currentRow_);
    ChannelTable channels = image_.Channels;
    channelEditor_(channels[row], row);
    CommitChannels(channels, QStringLiteral("%1 の編集").arg(QString::fromStdString(RowLabel(row))));
    // A keyboard user goes on from the same row, whatever window the system activates next.
    activateWindow();
    MemStringGrid1->setFocus();
}

void TFormD7::MemStringGrid1KeyPress() {
    MemStringGrid1DblClick();
}

void TFormD7::VFOStringGrid1DblClick() {
    currentRow_ = VFOStringGrid1->Row() - 1;
    if (!vfoEditor_ || currentRow_ < 0 || RefuseWhileReading(vfosReading_))
        return;
    const auto index = static_cast<std::size_t>(currentRow_);
    VfoRecord record = image_.Vfos[index];
    vfoEditor_(record, index);
    image_.Vfos[index] = record;
    VFORectoGrid();
    ShowTitle();
    activateWindow();
    VFOStringGrid1->setFocus();
}

void TFormD7::AttachEditDialogs(Tsetform1& memoryDialog, TSetForm2& vfoDialog) {
    SetChannelEditor(
        [&memoryDialog](MemoryChannel& record, std::size_t row) { record = memoryDialog.Edit(record, row); });
    SetVfoEditor([&vfoDialog](VfoRecord& record, std::size_t) { record = vfoDialog.Edit(record); });
}

void TFormD7::ConnectGrids() {
    connect(MemStringGrid1, &StringGrid::DoubleClicked, this, &TFormD7::MemStringGrid1DblClick);
    connect(MemStringGrid1, &StringGrid::EnterPressed, this, &TFormD7::MemStringGrid1KeyPress);
    connect(VFOStringGrid1, &StringGrid::DoubleClicked, this, &TFormD7::VFOStringGrid1DblClick);
    connect(VFOStringGrid1, &StringGrid::EnterPressed, this, &TFormD7::VFOStringGrid1DblClick);
}

} // namespace zem
