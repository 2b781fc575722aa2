// Writes the program's icon as PNG files of the given sizes, for the desktop theme of an
// installation: render_icon OUT_DIR SIZE... writes OUT_DIR/SIZE/zem_d7.png.
#include "ui/artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: render_icon OUT_DIR SIZE...\n");
        return 2;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString dir = args[1] + QLatin1Char('/') + args[i];
        if (!QDir().mkpath(dir) || !zem::ProgramIconPixmap(args[i].toInt()).save(dir + QStringLiteral("/zem_d7.png"))) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
