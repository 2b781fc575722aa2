#pragma once

#include <QDialog>

#include <cstddef>

class QLabel;
class QProgressBar;

namespace zem {

// Shown modally while a transfer runs; the completion handler closes it. Its close box ends the
// wait early while the transfer goes on. Below its caption it shows how far the transfer has
// come and the link's last status text.
class TwaitForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TwaitForm1(QWidget* parent = nullptr);

    // Clears the progress and status of the transfer before; `task`, when given, says below the
    // caption what is being waited for.
    void Begin(const QString& task = {});
    void ShowProgress(std::size_t done, std::size_t total);
    void ShowStatus(const QString& text);

private:
    QLabel* caption_;
    QProgressBar* progress_;
    QLabel* status_;
};

} // namespace zem
