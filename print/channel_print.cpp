#include "channel_print.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/cp932.h"
#include "model/grid_text.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace zem {
namespace {

struct Column {
    const char* heading;
    int share; // of the page's width, in parts of kShares
    std::function<std::string(std::size_t row, const MemoryChannel&)> cell;
};

constexpr int kShares = 100;

std::string Mhz(std::string_view digits, int decimals) {
    return ShownCell([&] { return DigitsToExactMhz(digits, decimals); });
}

// "T 88.5 Hz" for a tone switched on; a code naming no tone shows its digits.
std::string Tone(const char* kind, char on, const FixedText<2>& code) {
    if (!IsFlagSet(on))
        return {};
    const std::optional<long long> index = DigitsValue(code.view(), 2);
    const bool named = index && *index < static_cast<long long>(kToneCount) && !ToneItems()[*index].empty();
    return std::string(kind) + " " + (named ? std::string(ToneItems()[*index]) : code.str());
}

std::string ShiftOrTx(const MemoryChannel& ch) {
    if (IsSplit(ch))
        return "TX " + Mhz(ch.TxFreq.view(), 5);
    static constexpr std::array<const char*, 3> kShifts{"Simplex", "+", "-"};
    const std::string shift = ch.Shift >= '0' && ch.Shift <= '2' ? kShifts[ch.Shift - '0'] : std::string(1, ch.Shift);
    return shift + (IsFlagSet(ch.Reverse) ? " R" : "");
}

const std::array<Column, 10>& Columns() {
    using M = MemoryChannel;
    static const std::array<Column, 10> columns{{
        {"Ch", 4, [](std::size_t row, const M&) { return RowLabel(row); }},
        {"受信周波数", 11, [](std::size_t, const M& c) { return Mhz(c.RxFreq.view(), 5); }},
        {"シフト/送信", 13, [](std::size_t, const M& c) { return ShiftOrTx(c); }},
        {"オフセット", 8, [](std::size_t, const M& c) { return IsSplit(c) ? std::string() : Mhz(c.Offset.view(), 2); }},
        {"トーン", 11,
         [](std::size_t, const M& c) {
             const std::string tone = Tone("T", c.ToneOn, c.ToneCode);
             const std::string ctcss = Tone("C", c.CtcssOn, c.CtcssCode);
             return tone + (tone.empty() || ctcss.empty() ? "" : " ") + ctcss;
         }},
        {"モード", 5, [](std::size_t, const M& c) { return std::string(ModeText(c.Mode)); }},
        {"ステップ", 8, [](std::size_t, const M& c) { return std::string(StepText(c.Step)); }},
        {"名前", 9, [](std::size_t, const M& c) { return ShownCp932(c.Name.view()); }},
        {"メモ", 21, [](std::size_t, const M& c) { return ShownCp932(c.Memo.view()); }},
        {"ロックアウト", 10, [](std::size_t, const M& c) { return IsFlagSet(c.Lockout) ? std::string("○") : ""; }},
    }};
    return columns;
}

using Cells = std::array<QString, 10>;

QFont ListFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(pointSize);
    return font;
}

// One page's geometry in device pixels.
struct Page {
    QRect body;
    std::array<int, 10> left;
    std::array<int, 10> width;
    int padding;
};

Page PageOf(const QPagedPaintDevice& device, const QFontMetrics& metrics) {
    Page page;
    page.padding = metrics.averageCharWidth() / 2;
    page.body = QRect(0, 0, device.width(), device.height());
    int x = 0;
    for (std::size_t c = 0; c < Columns().size(); ++c) {
        page.left[c] = x;
        page.width[c] = page.body.width() * Columns()[c].share / kShares;
        x += page.width[c];
    }
    return page;
}

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

int RowHeight(const Cells& cells, const Page& page, const QFontMetrics& metrics) {
    int height = metrics.height();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QRect room(0, 0, page.width[c] - 2 * page.padding, 100000);
        height = std::max(height, metrics.boundingRect(room, kTextFlags, cells[c]).height());
    }
    return height + page.padding;
}

void DrawRow(QPainter& painter, const Cells& cells, const Page& page, int top, int height, bool heading) {
    if (heading)
        painter.fillRect(QRect(0, top, page.body.width(), height), QColor(230, 230, 230));
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QRect cell(page.left[c], top, page.width[c], height);
        painter.drawText(cell.adjusted(page.padding, page.padding / 2, -page.padding, 0), kTextFlags, cells[c]);
    }
    painter.drawLine(0, top + height, page.body.width(), top + height);
}

// The PDF writer's character maps name a glyph by the lowest code point the font draws with it,
// and the font draws CP932's ～ (U+FF5E) with the glyph of 〜 (U+301C): a search for the text
// as it was given would not find it. Texts come from CP932, which gives the code points of the
// right column and never those of the left, so a glyph mapped to the left one stands for the right.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kCp932CodePoints{{
    {"<301C>", "<FF5E>"}, // ～
    {"<2016>", "<2225>"}, // ∥
    {"<2212>", "<FF0D>"}, // －
    {"<00A2>", "<FFE0>"}, // ￠
    {"<00A3>", "<FFE1>"}, // ￡
    {"<00AC>", "<FFE2>"}, // ￢
}};

// Rewrites the targets of the character maps in place (same length, so the stream lengths hold):
// in a "bfrange" line the values after the two glyph numbers (a list, or one target for a range
// of one glyph), in a "bfchar" line the value after the glyph.
void MapCp932CodePoints(std::string& pdf) {
    std::size_t at = 0;
    while ((at = pdf.find("begincmap", at)) != std::string::npos) {
        const std::size_t end = pdf.find("endcmap", at);
        if (end == std::string::npos)
            return;
        bool chars = false;
        for (std::size_t line = at; line < end;) {
            const std::size_t lineEnd = std::min(pdf.find('\n', line), end);
            const std::string_view text(pdf.data() + line, lineEnd - line);
            if (text.ends_with("beginbfchar") || text.ends_with("beginbfrange"))
                chars = text.ends_with("beginbfchar");
            std::vector<std::size_t> tokens;
            for (std::size_t k = text.find('<'); k != std::string_view::npos; k = text.find('<', k + 1))
                tokens.push_back(line + k);
            const std::size_t first = chars ? 1 : 2;
            const bool oneGlyph = chars || text.find('[') != std::string_view::npos ||
                                  (tokens.size() == 3 && pdf.compare(tokens[0], 6, pdf, tokens[1], 6) == 0);
            for (std::size_t t = first; oneGlyph && t < tokens.size(); ++t) {
                for (const auto& [given, cp932] : kCp932CodePoints) {
                    if (pdf.compare(tokens[t], given.size(), given) == 0)
                        pdf.replace(tokens[t], given.size(), cp932);
                }
            }
            line = lineEnd + 1;
        }
        at = end;
    }
}

} // namespace

void PaintChannelList(QPagedPaintDevice& device, const ChannelTable& channels, const PrintHeader& header) {
    QPainter painter(&device);
    painter.setFont(ListFont(8));
    const QFontMetrics metrics(painter.font(), &device);
    const Page page = PageOf(device, metrics);

    Cells headings;
    for (std::size_t c = 0; c < Columns().size(); ++c)
        headings[c] = QString::fromUtf8(Columns()[c].heading);
    std::vector<Cells> rows;
    for (std::size_t r = 0; r < kChannelRows; ++r) {
        if (IsEmptyRow(channels[r]))
            continue;
        Cells& cells = rows.emplace_back();
        for (std::size_t c = 0; c < Columns().size(); ++c)
            cells[c] = QString::fromStdString(Columns()[c].cell(r, channels[r]));
    }

    // Rows are laid out before anything is drawn, so that every foot can say how many pages follow.
    const int line = metrics.height();
    const int headingHeight = RowHeight(headings, page, metrics);
    const int tableTop = 2 * line;
    const int tableBottom = page.body.height() - 2 * line;
    std::vector<std::vector<std::size_t>> pages(1);
    int y = tableTop + headingHeight;
    std::vector<int> heights;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        heights.push_back(RowHeight(rows[i], page, metrics));
        if (y + heights.back() > tableBottom && !pages.back().empty()) {
            pages.emplace_back();
            y = tableTop + headingHeight;
        }
        pages.back().push_back(i);
        y += heights.back();
    }

    const QString title = QStringLiteral("TH-D7 メモリチャンネル  %1").arg(header.fileName);
    const QString date = QLocale(QLocale::Japanese).toString(header.printed, QStringLiteral("yyyy年M月d日 HH:mm"));
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            device.newPage();
        painter.drawText(QRect(0, 0, page.body.width(), line), Qt::AlignLeft, title);
        painter.drawText(QRect(0, 0, page.body.width(), line), Qt::AlignRight, date);
        y = tableTop;
        DrawRow(painter, headings, page, y, headingHeight, true);
        y += headingHeight;
        for (std::size_t i : pages[p]) {
            DrawRow(painter, rows[i], page, y, heights[i], false);
            y += heights[i];
        }
        painter.drawText(QRect(0, page.body.height() - line, page.body.width(), line), Qt::AlignHCenter,
                         QStringLiteral("%1 / %2").arg(p + 1).arg(pages.size()));
    }
}

QPageLayout ChannelListPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

std::string ChannelListPdf(const ChannelTable& channels, const PrintHeader& header) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(ChannelListPageLayout());
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("TH-D7 メモリチャンネル %1").arg(header.fileName));
        writer.setCreator(QStringLiteral("ZEM_D7"));
        PaintChannelList(writer, channels, header);
    }
    std::string pdf = bytes.toStdString();
    MapCp932CodePoints(pdf);
    return pdf;
}

} // namespace zem
