#include "history_dialog.h"

#include "prompts.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace zem {
namespace {

QString KindText(HistoryKind kind) {
    static const std::array<const char*, 3> kTexts{"読み出し", "書き込み前", "書き込み後"};
    return QString::fromUtf8(kTexts[static_cast<std::size_t>(kind)]);
}

QString CountText(const std::optional<std::size_t>& count) {
    return count ? QString::number(*count) : QStringLiteral("-");
}

QString LocalTime(const std::string& utc) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODateWithMs);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                          : QString::fromStdString(utc);
}

} // namespace

HistoryDialog::HistoryDialog(std::vector<HistoryRow> rows, const RadioImage& table, bool connected, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), table_(table), connected_(connected),
      list_(new QTableWidget(static_cast<int>(rows_.size()), 5, this)), differences_(new QPlainTextEdit(this)),
      open_(new QPushButton(QStringLiteral("開く"), this)),
      restore_(new QPushButton(QStringLiteral("無線機に戻す"), this)) {
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("無線機の履歴"));
    list_->setObjectName(QStringLiteral("HistoryList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("日時"), QStringLiteral("内容"), QStringLiteral("ポート"),
                                      QStringLiteral("使用チャンネル"), QStringLiteral("前回との差")});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const HistoryEntry& e = rows_[r].stored.entry;
        const QString cells[] = {LocalTime(e.time), KindText(e.kind), ShownInMessage(QString::fromStdString(e.port)),
                                 CountText(rows_[r].used), CountText(rows_[r].differences)};
        for (int c = 0; c < 5; ++c)
            list_->setItem(static_cast<int>(r), c, new QTableWidgetItem(cells[c]));
    }
    list_->resizeColumnsToContents();
    differences_->setObjectName(QStringLiteral("HistoryDifferences"));
    differences_->setReadOnly(true);
    open_->setObjectName(QStringLiteral("HistoryOpen"));
    restore_->setObjectName(QStringLiteral("HistoryRestore"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(open_, QDialogButtonBox::ActionRole);
    buttons->addButton(restore_, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 3);
    layout->addWidget(differences_, 2);
    layout->addWidget(buttons);
    resize(720, 520);

    connect(list_, &QTableWidget::itemSelectionChanged, this, &HistoryDialog::ShowDifferences);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Open;
        accept();
    });
    connect(restore_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Restore;
        accept();
    });
    ShowDifferences();
}

const HistoryRow* HistoryDialog::ChosenRow() const {
    const QList<QTableWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    return &rows_[static_cast<std::size_t>(selected.front()->row())];
}

// The rows of the blocks the entry holds, entry → table, as the tool's diff prints them.
void HistoryDialog::ShowDifferences() {
    const HistoryRow* row = ChosenRow();
    open_->setEnabled(row != nullptr);
    restore_->setEnabled(row != nullptr && connected_);
    if (!row) {
        differences_->setPlainText(rows_.empty() ? QStringLiteral("履歴はまだありません。")
                                                 : QStringLiteral("履歴を選ぶと、今の表との違いを表示します。"));
        return;
    }
    const std::vector<RowDifference> rows =
        DiffImages(row->image, table_, CommonScope(row->stored.entry, {true, true, true}));
    QString text = rows.empty() ? QStringLiteral("今の表と同じです。")
                                : QStringLiteral("今の表との違い（%1 か所、履歴 → 表）:").arg(rows.size());
    for (const RowDifference& difference : rows)
        text += QLatin1Char('\n') + QString::fromStdString(DifferenceLine(difference));
    differences_->setPlainText(text);
}

} // namespace zem
