#include "csv_fields.h"

namespace zem {
namespace {

// The length of the line end at the front of text: 2 for CR LF, 1 for CR or LF, else 0.
std::size_t LineEndLength(std::string_view text) {
    if (text.starts_with("\r\n"))
        return 2;
    return text.starts_with('\r') || text.starts_with('\n') ? 1 : 0;
}

} // namespace

std::string FormatCsvRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != fields.data())
            line += ',';
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field)
            line.append(c == '"' ? 2 : 1, c);
        line += '"';
    }
    return line + "\r\n";
}

CsvRecord TakeCsvRecord(std::string_view& text) {
    CsvRecord record;
    record.lines = 1;
    record.fields.emplace_back();
    bool quoted = false;
    bool atFieldStart = true;
    while (!text.empty()) {
        const char c = text.front();
        const std::size_t lineEnd = LineEndLength(text);
        if (quoted) {
            if (c == '"' && text.starts_with("\"\"")) {
                record.fields.back() += '"';
                text.remove_prefix(2);
                continue;
            }
            if (c == '"')
                quoted = false;
            else
                record.fields.back().append(text.substr(0, lineEnd > 0 ? lineEnd : 1));
            record.lines += lineEnd > 0 ? 1 : 0;
            text.remove_prefix(lineEnd > 0 ? lineEnd : 1);
            continue;
        }
        if (lineEnd > 0) {
            text.remove_prefix(lineEnd);
            return record;
        }
        text.remove_prefix(1);
        if (c == ',') {
            record.fields.emplace_back();
            atFieldStart = true;
            continue;
        }
        quoted = c == '"' && atFieldStart;
        if (!quoted)
            record.fields.back() += c;
        atFieldStart = false;
    }
    record.closed = !quoted;
    return record;
}

} // namespace zem
