#include "about_box.h"

#include "artwork.h"
#include "screen_centre.h"
#include "window_font.h"

#include <QLabel>
#include <QPushButton>

namespace zem {

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("AboutBox"));
    setFont(WindowFont());
    setFixedSize(305, 225);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(AboutPicture());
    picture->setGeometry(8, 8, 160, 120);

    auto* name = new QLabel(QStringLiteral("ZEM_D7"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = font();
    big.setPixelSize(20);
    big.setBold(true);
    name->setFont(big);
    name->setGeometry(178, 16, 120, 28);

    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(ZEM_VERSION)), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setGeometry(178, 50, 120, 18);

    auto* purpose = new QLabel(QStringLiteral("TH-D7 メモリエディタ"), this);
    purpose->setGeometry(178, 74, 120, 18);

    auto* credit = new QLabel(QStringLiteral("© 2026 ZEM_D7 プロジェクトの開発者一同\nTH-D7（国内版）用"), this);
    credit->setObjectName(QStringLiteral("Copyright"));
    credit->setAlignment(Qt::AlignCenter);
    credit->setGeometry(8, 138, 289, 44);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(112, 192, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAboutForm::Button1Click);
    CentreOnScreen(*this);
}

void TAboutForm::Button1Click() {
    accept();
}

} // namespace zem
