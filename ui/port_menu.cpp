#include "port_menu.h"

#include "session/ports.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace zem {
namespace {

// Items that name a port by path keep it here; the COM items have none.
QString PathOf(const QAction* item) {
    return item->data().toString();
}

// The devices behind COM1 to COM4 already have their items.
bool IsComDevice(const std::string& path) {
    for (char index = '0'; index <= '3'; ++index)
        if (PortOfIndex(index)->path == path)
            return true;
    return false;
}

} // namespace

PortMenu::PortMenu(QMenu& menu, QActionGroup& comItems) : QObject(&menu), menu_(menu), items_(comItems) {
    for (QAction* item : comItems.actions())
        comItems_.push_back(item);
    menu_.addSeparator();
    ListDevices();
    connect(&menu_, &QMenu::aboutToShow, this, &PortMenu::ListDevices);
}

void PortMenu::OfferSimulator(const QString& port) {
    if (simulatorItem_)
        return;
    simulatorItem_ = AddItem(QStringLiteral("シミュレーター"), port, nullptr);
    simulatorItem_->setObjectName(QStringLiteral("PortSimulator"));
}

QAction* PortMenu::AddItem(const QString& caption, const QString& path, QAction* before) {
    auto* item = new QAction(caption, &menu_);
    item->setCheckable(true);
    item->setData(path);
    items_.addAction(item);
    menu_.insertAction(before, item);
    return item;
}

void PortMenu::ListDevices() {
    const QString checked = items_.checkedAction() ? PathOf(items_.checkedAction()) : QString();
    for (QAction* item : deviceItems_)
        delete item;
    deviceItems_.clear();
    QAction* before = givenItem_ ? givenItem_ : simulatorItem_;
    for (const SerialDevice& device : ListSerialDevices()) {
        if (IsComDevice(device.path))
            continue;
        const QString path = QString::fromStdString(device.path);
        const QString caption = device.description.empty()
                                    ? path
                                    : QStringLiteral("%1 (%2)").arg(path, QString::fromStdString(device.description));
        QAction* item = AddItem(caption, path, before);
        item->setObjectName(QStringLiteral("PortDevice%1").arg(deviceItems_.size()));
        item->setChecked(!checked.isEmpty() && path == checked);
        deviceItems_.push_back(item);
    }
}

void PortMenu::Select(const QString& port) {
    if (const std::optional<char> index = IndexOfPortName(port.toStdString())) {
        comItems_[static_cast<std::size_t>(*index - '0')]->setChecked(true);
        return;
    }
    for (QAction* item : items_.actions()) {
        if (!PathOf(item).isEmpty() && PathOf(item) == port) {
            item->setChecked(true);
            return;
        }
    }
    if (!givenItem_) {
        givenItem_ = AddItem(port, port, simulatorItem_);
        givenItem_->setObjectName(QStringLiteral("PortGiven"));
    }
    givenItem_->setText(port);
    givenItem_->setData(port);
    givenItem_->setChecked(true);
}

PortMenu::Choice PortMenu::Chosen() const {
    Choice choice;
    const QAction* checked = items_.checkedAction();
    if (checked && !PathOf(checked).isEmpty()) {
        choice.path = PathOf(checked);
        return choice;
    }
    for (std::size_t i = 0; i < comItems_.size(); ++i)
        if (comItems_[i]->isChecked())
            choice.index = static_cast<char>('0' + i);
    return choice;
}

} // namespace zem
