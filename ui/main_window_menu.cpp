#include "main_window.h"

#include "port_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace zem {
namespace {

enum ItemState : unsigned {
    kShown = 0,
    kDisabled = 1u << 0,
    kHidden = 1u << 1,
    kChecked = 1u << 2,
    kCheckable = 1u << 3, // an option the user turns on and off, off at start unless kChecked
};

using Handler = void (TFormD7::*)();
using Kept = QAction* MenuActions::*;

// A caption of "-" is a separator. Items without a handler are wired by whoever takes them from
// the menu's actions (`kept`): for 編集 and printing the memory table's editing, for the storage
// items the band scope; the port items belong to the port menu.
struct MenuItem {
    const char* name;
    const char* caption;
    Handler handler;
    unsigned state;
    Kept kept = nullptr;
};

struct Menu {
    const char* name;
    const char* caption;
    bool enabled;
    bool radioItems;
    std::vector<MenuItem> items;
    Kept kept = nullptr; // the menu's own action, enabled as a whole
};

} // namespace

MenuActions TFormD7::BuildMenus() {
    const std::vector<Menu> menus{
        {"FileF1",
         "ファイル(&F)",
         true,
         false,
         {
             {"Open2", "開く(&O)", &TFormD7::Open2Click, kShown, &MenuActions::open},
             {"Save2", "保存(&S)", &TFormD7::Save2Click, kShown},
             {"Save1", "上書き保存(&D)", &TFormD7::Save1Click, kShown},
             {"N2", "-", nullptr, kShown},
             {"CSV1", "CSVファイルを取り込み", &TFormD7::CSV1Click, kShown, &MenuActions::importCsv},
             {"CSV2", "CSV形式に保存", &TFormD7::CSV2Click, kShown},
             {"History1", "無線機の履歴(&H)...", &TFormD7::HistoryClick, kShown, &MenuActions::history},
             {"N11", "-", nullptr, kShown},
             {"Print1", "印刷...(&P)", nullptr, kShown, &MenuActions::print},
             {"Pdf1", "PDFに保存...", nullptr, kShown, &MenuActions::pdf},
             {"N6", "-", nullptr, kShown},
             {"Exit1", "終了", &TFormD7::Exit1Click, kShown},
         }},
        {"Edit1",
         "編集(&E)",
         true,
         false,
         {
             {"Undo1", "元に戻す(&U)", nullptr, kShown, &MenuActions::undo},
             {"Redo1", "やり直し(&R)", nullptr, kShown, &MenuActions::redo},
             {"N12", "-", nullptr, kShown},
             {"Cut1", "切り取り(&T)", nullptr, kShown, &MenuActions::cut},
             {"Copy1", "コピー(&C)", nullptr, kShown, &MenuActions::copy},
             {"Paste1", "貼り付け(&P)", nullptr, kShown, &MenuActions::paste},
             {"Clear1", "削除(&D)", nullptr, kShown, &MenuActions::clear},
             {"N13", "-", nullptr, kShown},
             {"InsertRow1", "行を挿入(&I)", nullptr, kShown, &MenuActions::insertRow},
             {"DeleteRow1", "行を削除(&L)", nullptr, kShown, &MenuActions::deleteRow},
             {"MoveUp1", "上へ移動(&K)", nullptr, kShown, &MenuActions::moveUp},
             {"MoveDown1", "下へ移動(&J)", nullptr, kShown, &MenuActions::moveDown},
             {"N14", "-", nullptr, kShown},
             {"BulkChange1", "一括変更(&B)...", nullptr, kShown, &MenuActions::bulkChange},
             {"N15", "-", nullptr, kShown},
             {"Find1", "検索(&F)...", nullptr, kShown, &MenuActions::find},
             {"FindNext1", "次を検索(&N)", nullptr, kShown, &MenuActions::findNext},
             {"FindPrevious1", "前を検索(&V)", nullptr, kShown, &MenuActions::findPrevious},
         }},
        {"T1",
         "通信(&T)",
         true,
         false,
         {
             {"O1", "接続(&O)", &TFormD7::O1Click, kShown, &MenuActions::connection},
             {"Doctor1", "接続診断(&G)...", &TFormD7::Doctor1Click, kShown},
             {"N3", "-", nullptr, kShown},
             {"T2", "モデルチェック(&T)", &TFormD7::T2Click, kDisabled, &MenuActions::modelCheck},
             {"M1", "改造チェック(&M)", &TFormD7::M1Click, kDisabled, &MenuActions::modCheck},
             {"N4", "-", nullptr, kDisabled},
             {"M2", "メモリ読み出し(&M)", &TFormD7::M2Click, kDisabled, &MenuActions::readMemory},
             {"R4", "メモリ書き込み(&R)", &TFormD7::R4Click, kDisabled, &MenuActions::writeMemory},
             {"N5", "-", nullptr, kDisabled},
             {"VFOV2", "VFO読み出し(&V)", &TFormD7::VFOV2Click, kDisabled, &MenuActions::readVfo},
             {"VFO1", "VFO書き込み", &TFormD7::VFO1Click, kDisabled, &MenuActions::writeVfo},
             {"N7", "-", nullptr, kShown},
             {"N8", "設定読みだし(&D)", &TFormD7::N8Click, kDisabled, &MenuActions::readSettings},
             {"S1", "設定書き込み(&S)", &TFormD7::S1Click, kDisabled, &MenuActions::writeSettings},
             {"WriteChanged", "変更分を書き込み", &TFormD7::WriteChangedClick, kDisabled, &MenuActions::writeChanged},
             {"N10", "-", nullptr, kShown},
             {"VerifyAfterWrite", "書き込み後に照合", nullptr, kCheckable, &MenuActions::verifyAfterWrite},
             {"FastTransfer", "高速転送", nullptr, kCheckable, &MenuActions::fastTransfer},
             {"BackupBeforeWrite", "書き込み前に無線機の内容を保存", nullptr, kCheckable | kChecked,
              &MenuActions::backupBeforeWrite},
         }},
        {"P1",
         "ポート(&P)",
         true,
         true,
         {
             {"COM111", "COM1(&1)", nullptr, kShown},
             {"COM221", "COM2(&2)", nullptr, kChecked},
             {"COM331", "COM3(&3)", nullptr, kShown},
             {"COM441", "COM4(&4)", nullptr, kShown},
         },
         &MenuActions::portMenu},
        {"M3",
         "メモリ(&M)",
         true,
         false,
         {
             {"S2", "周波数でソート(&S)", &TFormD7::S2Click, kShown, &MenuActions::sortByFrequency},
             {"N1", "名前でソート(&N)", &TFormD7::N1Click, kShown, &MenuActions::sortByName},
             {"M4", "メモでソート(&M)", &TFormD7::M4Click, kShown, &MenuActions::sortByMemo},
             {"N16", "-", nullptr, kShown},
             {"HideEmpty1", "空きチャンネルを隠す(&H)", nullptr, kCheckable, &MenuActions::hideEmpty},
         }},
        {"S3",
         "スコープ(&S)",
         false,
         false,
         {
             {"O2", "ストレージ開始(&O)", nullptr, kShown, &MenuActions::storageStart},
             {"Exit2", "終了(&C)", nullptr, kDisabled, &MenuActions::storageEnd},
         },
         &MenuActions::scopeMenu},
        {"Help1",
         "ヘルプ(&H)",
         true,
         false,
         {
             {"Help2", "ヘルプ(&H)", &TFormD7::Help2Click, kShown},
             {"N9", "-", nullptr, kShown},
             {"About1", "バージョン情報(&A)", &TFormD7::About1Click, kShown},
         }},
    };

    MenuActions actions;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const Menu& m : menus) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        menu->menuAction()->setEnabled(m.enabled);
        if (m.kept)
            actions.*m.kept = menu->menuAction();
        QActionGroup* radio = m.radioItems ? new QActionGroup(menu) : nullptr;
        for (const MenuItem& item : m.items) {
            QAction* action = std::string_view(item.caption) == "-" ? menu->addSeparator()
                                                                    : menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            action->setEnabled(!(item.state & kDisabled));
            action->setVisible(!(item.state & kHidden));
            action->setCheckable(radio || (item.state & kCheckable));
            action->setChecked(item.state & kChecked);
            if (radio)
                radio->addAction(action);
            if (item.handler)
                connect(action, &QAction::triggered, this, item.handler);
            if (item.kept)
                actions.*item.kept = action;
        }
        if (radio)
            ports_ = new PortMenu(*menu, *radio);
    }
    return actions;
}

} // namespace zem
