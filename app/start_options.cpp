#include "start_options.h"

namespace zem {

StartOptions ParseStartOptions(const QStringList& arguments) {
    StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--port")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--port の後にポート名を指定してください。");
                return options;
            }
            options.port = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--port="))) {
            options.port = arg.mid(7);
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.error =
                QStringLiteral("不明なオプションです: %1\n使い方: zem_d7 [--port ポート名] [設定ファイル.zem]")
                    .arg(arg);
            return options;
        } else if (options.settingsFile.isEmpty()) {
            options.settingsFile = arg;
        }
    }
    return options;
}

} // namespace zem
