#include "start_options.h"

namespace zem {

StartOptions ParseStartOptions(const QStringList& arguments) {
    StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg.startsWith(QLatin1String("--"))) {
            options.error = QStringLiteral("不明なオプションです: %1\n使い方: zem_d7 [設定ファイル.zem]").arg(arg);
            return options;
        } else if (options.settingsFile.isEmpty()) {
            options.settingsFile = arg;
        }
    }
    return options;
}

} // namespace zem
