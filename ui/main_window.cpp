#include "main_window.h"

#include "help_window.h"
#include "model/conversion_error.h"
#include "navitora_page.h"
#include "radio_page.h"

namespace zem {

TFormD7::TFormD7(const QString& startFile, std::unique_ptr<Prompts> prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts ? std::move(prompts) : std::make_unique<QtPrompts>()) {
    setObjectName(QStringLiteral("FormD7"));
    BuildDesign();
    ConnectGrids();
    radioPage_->SetDtmfStored([this](std::size_t memory, const DtmfMemory& stored) {
        image_.Settings.Dtmf[memory] = stored;
        settingsChanged_ = true;
    });
    // An edit on a settings page is work a settings read would lose.
    radioPage_->OnEdited([this] { settingsChanged_ = true; });
    navitoraPage_->OnEdited([this] { settingsChanged_ = true; });
    FormCreate(startFile);
}

TFormD7::~TFormD7() = default;

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
}

void TFormD7::PutMenu() {
    try {
        radioPage_->Put(image_.Settings);
        navitoraPage_->Put(image_.Settings);
    } catch (const ConversionError& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

void TFormD7::ShowError(const QString& text) {
    prompts_->Message(this, ShownInMessage(text), QStringLiteral("エラー"));
}

} // namespace zem
