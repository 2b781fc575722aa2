#pragma once

#include <QWidget>

class QTextBrowser;

namespace zem {

// The program's own help viewer: shows the Japanese help document built into the program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The document's address inside the program.
    static const char* DocumentUrl();
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace zem
