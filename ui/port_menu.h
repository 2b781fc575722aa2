#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QActionGroup;
class QMenu;

namespace zem {

// The port menu: the four COM items of the design, then, below a separator, the serial devices
// found on the machine (listed again each time the menu opens, so a cable plugged in later shows
// up), a port given on the command line, and the simulated radio when the program offers one. One
// item is checked; the link takes it at the next connect.
class PortMenu : public QObject {
public:
    // `menu` is the window's "ポート(&P)" menu holding the COM items in `comItems`.
    PortMenu(QMenu& menu, QActionGroup& comItems);

    // Adds the simulated radio, named `port`, as the last item.
    void OfferSimulator(const QString& port);

    // Checks the item of a port name: com1..com4 in any case, "sim", or any device path (added
    // as an item of its own when the machine did not list it).
    void Select(const QString& port);

    // What the link is told: the COM index '0'..'3' of the last checked COM item (COM2 when
    // none is), or the path of another checked item ("sim" for the simulated radio).
    struct Choice {
        char index = '1';
        QString path; // set instead of the index
    };
    Choice Chosen() const;

private:
    void ListDevices();
    QAction* AddItem(const QString& caption, const QString& path, QAction* before);

    QMenu& menu_;
    QActionGroup& items_;
    std::vector<QAction*> comItems_;
    std::vector<QAction*> deviceItems_;
    QAction* givenItem_ = nullptr;
    QAction* simulatorItem_ = nullptr;
};

} // namespace zem
