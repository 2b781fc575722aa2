#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "options.h"

#include "model/image_diff.h"
#include "model/startup_image.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace cli {

int RunDiff(const QString& command, const QCommandLineParser& parser) {
    QStringList blocks;
    if (!ReadOnlyOption(parser, command, blocks))
        return kBadInput;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli diff: give two settings files"));
        return kBadInput;
    }
    zem::RadioImage a = zem::StartupImage();
    zem::RadioImage b = zem::StartupImage();
    if (!LoadZemArgument(command, files[0], a) || !LoadZemArgument(command, files[1], b))
        return kBadInput;
    const std::vector<zem::RowDifference> differences =
        zem::DiffImages(a, b, ScopeOf(blocks, !parser.isSet(kNoMemoOption)));
    Out(DifferenceLines(differences));
    return differences.empty() ? kOk : kDifferent;
}

} // namespace cli
