#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "options.h"
#include "shown_image.h"

#include "collation/channel_search.h"
#include "model/codecs.h"
#include "model/command_text.h"
#include "model/cp932.h"
#include "model/grid_text.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <string>

namespace cli {
namespace {

void Row(std::string& out, std::string_view label, const std::vector<std::string>& cells) {
    out += label;
    for (const std::string& cell : cells) {
        out += '\t';
        out += cell;
    }
    out += '\n';
}

void MemoryRow(std::string& out, const zem::ChannelTable& channels, std::size_t row) {
    std::vector<std::string> cells;
    for (std::size_t col = 0; col < zem::MemoryColumns().size(); ++col)
        cells.push_back(zem::ShownCell([&] { return zem::MemoryCell(col, channels[row]); }));
    Row(out, zem::RowLabel(row), cells);
}

void MemoryHeadings(std::string& out) {
    std::vector<std::string> headings;
    for (const zem::MemoryColumn& c : zem::MemoryColumns())
        headings.emplace_back(c.heading);
    Row(out, zem::kMemoryCornerHeading, headings);
}

} // namespace

std::string FormatImage(const zem::RadioImage& image) {
    std::string out = "# memory\n";
    MemoryHeadings(out);
    for (std::size_t row = 0; row < zem::kChannelRows; ++row)
        MemoryRow(out, image.Channels, row);

    out += "# vfo\n";
    std::vector<std::string> headings;
    for (const zem::VfoColumn& c : zem::VfoColumns())
        headings.emplace_back(c.heading);
    Row(out, zem::kVfoCornerHeading, headings);
    for (std::size_t v = 0; v < zem::kVfoCount; ++v) {
        std::vector<std::string> cells;
        for (const zem::VfoColumn& c : zem::VfoColumns())
            cells.push_back(zem::ShownCell([&] { return c.cell(image.Vfos[v]); }));
        Row(out, zem::VfoTableFacts()[v].label, cells);
    }

    out += "# settings\n";
    for (const zem::SettingsPart& part : zem::SettingsOrder()) {
        if (part.IsDtmf()) {
            const zem::DtmfMemory& m = image.Settings.Dtmf[part.dtmf];
            Row(out, "DTMF " + std::to_string(part.dtmf),
                {zem::ShownCp932(m.Name.view()), zem::ShownCp932(m.Code.view())});
        } else {
            const zem::MenuField& f = zem::MenuFields()[part.field];
            Row(out, f.name, {zem::ShownCp932(f.get(image.Settings))});
        }
    }
    return out;
}

int RunShow(const QString& command, const QCommandLineParser& parser) {
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(kNewOption) && files.isEmpty()) {
        Out(FormatImage(zem::StartupImage()));
        return kOk;
    }
    if (!parser.isSet(kNewOption) && files.size() == 1) {
        zem::RadioImage image = zem::StartupImage();
        if (!LoadZemArgument(command, files.front(), image))
            return kBadInput;
        Out(FormatImage(image));
        return kOk;
    }
    Error(QCoreApplication::translate("cli", "zem_d7-cli show: give either --new or one settings file"));
    return kBadInput;
}

int RunFind(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QStringList> arguments =
        TwoArguments(parser, QCoreApplication::translate(
                                 "cli", "zem_d7-cli find: give one settings file and the text or frequency to find"));
    if (!arguments)
        return kBadInput;
    const QStringList& positional = *arguments;
    const zem::ChannelQuery query(positional[1]);
    if (query.Empty()) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli find: give a text or frequency to find"));
        return kBadInput;
    }
    zem::RadioImage image = zem::StartupImage();
    if (!LoadZemArgument(command, positional[0], image))
        return kBadInput;
    std::string out;
    MemoryHeadings(out);
    bool found = false;
    for (std::size_t row = 0; row < zem::kChannelRows; ++row) {
        if (query.Matches(image.Channels[row])) {
            MemoryRow(out, image.Channels, row);
            found = true;
        }
    }
    Out(out);
    return found ? kOk : kNotFound;
}

} // namespace cli
