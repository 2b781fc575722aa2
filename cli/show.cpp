#include "arguments.h"
#include "commands.h"
#include "console.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/grid_text.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iterator>
#include <string>

namespace cli {
namespace {

// A cell whose conversion fails shows the error text instead, so one damaged field does not hide
// the rest of the image.
template <typename Cell> std::string CellText(Cell cell) {
    try {
        return zem::Cp932ToUtf8(cell());
    } catch (const zem::ConversionError& e) {
        return e.what();
    }
}

// A cell as the tab-separated layout can carry it: control bytes and the backslash written as
// escapes, so a TAB or a line end inside a name cannot shift the columns or rows after it.
struct NamedEscape {
    char byte;
    std::string_view text;
};
constexpr NamedEscape kNamedEscapes[] = {{'\\', "\\\\"}, {'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}};

std::string Escaped(std::string_view cell) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text;
    for (const char c : cell) {
        const auto byte = static_cast<unsigned char>(c);
        const auto named = std::find_if(std::begin(kNamedEscapes), std::end(kNamedEscapes),
                                        [c](const NamedEscape& e) { return e.byte == c; });
        if (named != std::end(kNamedEscapes))
            text += named->text;
        else if (byte < 0x20 || byte == 0x7F)
            text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        else
            text += c;
    }
    return text;
}

void Row(std::string& out, std::string_view label, const std::vector<std::string>& cells) {
    out += label;
    for (const std::string& cell : cells) {
        out += '\t';
        out += Escaped(cell);
    }
    out += '\n';
}

std::string FormatImage(const zem::RadioImage& image) {
    std::string out = "# memory\n";
    std::vector<std::string> headings;
    for (const zem::MemoryColumn& c : zem::MemoryColumns())
        headings.emplace_back(c.heading);
    Row(out, zem::kMemoryCornerHeading, headings);
    for (std::size_t row = 0; row < zem::kChannelRows; ++row) {
        std::vector<std::string> cells;
        for (std::size_t col = 0; col < zem::MemoryColumns().size(); ++col)
            cells.push_back(CellText([&] { return zem::MemoryCell(col, image.Channels[row]); }));
        Row(out, zem::RowLabel(row), cells);
    }

    out += "# vfo\n";
    headings.clear();
    for (const zem::VfoColumn& c : zem::VfoColumns())
        headings.emplace_back(c.heading);
    Row(out, zem::kVfoCornerHeading, headings);
    for (std::size_t v = 0; v < zem::kVfoCount; ++v) {
        std::vector<std::string> cells;
        for (const zem::VfoColumn& c : zem::VfoColumns())
            cells.push_back(CellText([&] { return c.cell(image.Vfos[v]); }));
        Row(out, zem::VfoTableFacts()[v].label, cells);
    }

    out += "# settings\n";
    for (const zem::MenuField& f : zem::MenuFields()) {
        Row(out, f.name, {zem::Cp932ToUtf8(f.get(image.Settings))});
        if (f.dtmfFollows) {
            for (std::size_t k = 0; k < zem::kDtmfCount; ++k) {
                const zem::DtmfMemory& m = image.Settings.Dtmf[k];
                Row(out, "DTMF " + std::to_string(k),
                    {zem::Cp932ToUtf8(m.Name.view()), zem::Cp932ToUtf8(m.Code.view())});
            }
        }
    }
    return out;
}

} // namespace

int RunShow(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Print a settings file (or the start-up image) as the window's grids show it, tab-separated. "
                       "Control characters and the backslash inside a text are escaped: \\t, \\r, \\n, \\xNN, "
                       "\\\\."));
    parser.addOption({QStringLiteral("new"), QStringLiteral("Print the start-up image instead of a file.")});
    parser.addPositionalArgument(QStringLiteral("FILE.zem"), QStringLiteral("The settings file to print."));
    int status = kOk;
    if (!ParseOptions(parser, args, QStringLiteral("show"), status))
        return status;
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("new")) && files.isEmpty()) {
        Out(FormatImage(zem::StartupImage()));
        return kOk;
    }
    if (!parser.isSet(QStringLiteral("new")) && files.size() == 1) {
        zem::RadioImage image = zem::StartupImage();
        if (!LoadZemArgument(QStringLiteral("show"), files.front(), image))
            return kBadInput;
        Out(FormatImage(image));
        return kOk;
    }
    Error(QStringLiteral("zem_d7-cli show: give either --new or one settings file"));
    return kBadInput;
}

} // namespace cli
