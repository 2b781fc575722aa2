#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"

#include "model/image_diff.h"
#include "model/startup_image.h"

#include <QCommandLineParser>

namespace cli {

int RunDiff(const QStringList& args) {
    const QString command = QStringLiteral("diff");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compare two settings files: one line per channel row, VFO, DTMF memory and setting that differs, its "
        "label, then for each differing field a TAB and \"NAME: A → B\" (a setting's line has just \"A → B\"), "
        "texts as the window shows them and escaped as show escapes them. Exit status 0 when the files are equal, "
        "1 when they differ, 2 on bad input."));
    AddOnlyOption(parser, QStringLiteral("Compare"));
    parser.addOption({QStringLiteral("no-memo"), QStringLiteral("Leave the memos out, as a radio has none.")});
    parser.addPositionalArgument(QStringLiteral("A.zem"), QStringLiteral("The first settings file."));
    parser.addPositionalArgument(QStringLiteral("B.zem"), QStringLiteral("The second settings file."));
    int status = kOk;
    if (!ParseOptions(parser, args, command, status))
        return status;
    QStringList blocks;
    if (!ReadOnlyOption(parser, command, blocks))
        return kBadInput;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        Error(QStringLiteral("zem_d7-cli diff: give two settings files"));
        return kBadInput;
    }
    zem::RadioImage a = zem::StartupImage();
    zem::RadioImage b = zem::StartupImage();
    if (!LoadZemArgument(command, files[0], a) || !LoadZemArgument(command, files[1], b))
        return kBadInput;
    const std::vector<zem::RowDifference> differences =
        zem::DiffImages(a, b, ScopeOf(blocks, !parser.isSet(QStringLiteral("no-memo"))));
    Out(DifferenceLines(differences));
    return differences.empty() ? kOk : kDifferent;
}

} // namespace cli
