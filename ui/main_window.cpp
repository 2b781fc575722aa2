#include "main_window.h"

#include "help_window.h"
#include "memory_editing.h"
#include "model/conversion_error.h"
#include "navitora_page.h"
#include "radio_page.h"

#include "session/radio_session.h"

#include <QFileInfo>
#include <QUndoStack>

namespace zem {

TFormD7::TFormD7(const QString& startFile, std::unique_ptr<Prompts> prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts ? std::move(prompts) : std::make_unique<QtPrompts>()) {
    setObjectName(QStringLiteral("FormD7"));
    BuildDesign();
    editing_ = new MemoryEditing(*this, *MemStringGrid1, *PageControl1, actions_);
    ConnectGrids();
    radioPage_->SetDtmfStored([this](std::size_t memory, const DtmfMemory& stored) {
        image_.Settings.Dtmf[memory] = stored;
        ShowTitle();
    });
    // An edit on a settings page is work a settings read would lose.
    const auto edited = [this] {
        pagesEdited_ = true;
        ShowTitle();
    };
    radioPage_->OnEdited(edited);
    navitoraPage_->OnEdited(edited);
    connect(&editing_->History(), &QUndoStack::indexChanged, this, &TFormD7::ShowTitle);
    FormCreate(startFile);
}

// The history empties itself as the window's children go, telling of each step; the title is
// gone by then.
TFormD7::~TFormD7() {
    editing_->History().disconnect(this);
}

void TFormD7::FormCreate(const QString& startFile) {
    StartUp(startFile);
    setAcceptDrops(true);
}

void TFormD7::AttachShellWindows(TwaitForm1* waitWindow, TAboutForm* aboutBox) {
    waitWindow_ = waitWindow;
    aboutBox_ = aboutBox;
}

// The Radio page holds the record's fields up to TXS, the Navitora page the rest, so taking them
// in this order keeps the record order.
void TFormD7::GetMenu() {
    radioPage_->Get(image_.Settings);
    navitoraPage_->Get(image_.Settings);
    pagesEdited_ = false;
}

void TFormD7::PutMenu() {
    pagesEdited_ = false;
    try {
        radioPage_->Put(image_.Settings);
        navitoraPage_->Put(image_.Settings);
    } catch (const ConversionError& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

RadioImage TFormD7::Work() const {
    RadioImage work = image_;
    if (pagesEdited_) {
        radioPage_->Get(work.Settings);
        navitoraPage_->Get(work.Settings);
    }
    return work;
}

bool TFormD7::MemoryChanged() const {
    return image_.Channels != matchedImage_.Channels;
}

bool TFormD7::VfoChanged() const {
    return image_.Vfos != matchedImage_.Vfos;
}

bool TFormD7::SettingsChanged() const {
    return Work().Settings != matchedImage_.Settings;
}

bool TFormD7::Unsaved() const {
    return Work() != fileImage_;
}

void TFormD7::MatchFile() {
    fileImage_ = matchedImage_ = image_;
    ShowTitle();
}

void TFormD7::MatchRadio(Block block, const RadioImage& image) {
    CopyBlock(block, image, matchedImage_);
}

void TFormD7::ShowBlock(Block block, const RadioImage& image, const QString& step) {
    switch (block) {
    case Block::Memory:
        CommitChannels(image.Channels, step);
        break;
    case Block::Vfo:
        image_.Vfos = image.Vfos;
        VFORectoGrid();
        break;
    case Block::Settings:
        image_.Settings = image.Settings;
        PutMenu();
        break;
    }
}

// Rows a read kept from before are the window's own, not the radio's: only a whole read makes
// the block the radio's for a write of the changes.
void TFormD7::ApplyRead(Block block, const RadioImage& image, bool radioHeld, bool whole) {
    ShowBlock(block, image, QStringLiteral("メモリ読み出し"));
    if (radioHeld)
        MatchRadio(block, image);
    ShowTitle();
    if (whole)
        loaded_.Load(block, BlockSource::Radio, image);
    if (whole && block == Block::Settings)
        loaded_.menuWarning.clear();
}

void TFormD7::ApplyWritten(Block block, const RadioImage& written, bool wholeBlock) {
    if (wholeBlock)
        loaded_.Load(block, BlockSource::Radio, written);
    else
        CopyBlock(block, written, loaded_.loaded);
}

void TFormD7::ForgetRadio() {
    for (BlockSource& source : loaded_.sources)
        if (source == BlockSource::Radio)
            source = BlockSource::Never;
}

std::optional<ConversionError> TFormD7::ApplyChannels(const ChannelTable& channels) {
    image_.Channels = channels;
    return FillMemoryGrid();
}

void TFormD7::ShowTitle() {
    QString title = QStringLiteral("ZEM_D7");
    if (!currentPath_.isEmpty())
        title += QLatin1Char(' ') + ShownInMessage(QFileInfo(currentPath_).fileName());
    setWindowTitle(Unsaved() ? title + QStringLiteral(" *") : title);
}

void TFormD7::CommitChannels(const ChannelTable& channels, const QString& step, bool reportDamage) {
    editing_->Commit(channels, step, {}, reportDamage);
}

void TFormD7::ShowError(const QString& text) {
    prompts_->Message(this, ShownInMessage(text), QStringLiteral("エラー"));
}

} // namespace zem
