#include "start_options.h"

#include <QCommandLineParser>

namespace zem {

StartOptions ParseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("TH-D7 のメモリーと設定の編集"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示します。"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("接続するポート: デバイスのパス (/dev/ttyUSB0)、com1〜com4、"
                                                 "または sim（内蔵の模擬無線機）"),
                                  QStringLiteral("PORT"));
    parser.addOption(help);
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("FILE.zem"), QStringLiteral("起動時に開く設定ファイル"),
                                 QStringLiteral("[FILE.zem]"));

    StartOptions options;
    const bool understood = parser.parse(arguments);
    if (!parser.positionalArguments().isEmpty())
        options.settingsFile = parser.positionalArguments().constFirst();
    const QString usage = QStringLiteral("使い方: zem_d7 [--port PORT] [設定ファイル.zem]");
    if (!understood) {
        options.error = parser.errorText() + QLatin1Char('\n') + usage;
        return options;
    }
    if (parser.positionalArguments().size() > 1) {
        options.error = QStringLiteral("設定ファイルは一つだけ指定できます。\n") + usage;
        return options;
    }
    if (parser.isSet(help))
        options.help = parser.helpText();
    options.port = parser.value(port);
    if (parser.isSet(port) && options.port.isEmpty())
        options.error = QStringLiteral("--port にポートを指定してください。\n") + usage;
    return options;
}

} // namespace zem
