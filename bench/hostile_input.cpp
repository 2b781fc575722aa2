// hostile_input: how long the model takes over input built to be slow, the way a damaged or
// malicious file would be: 10 MB CSV files through the import the window and the command-line
// tool use, settings-file MENU lines whose commas can be shared out in many ways, and 10 MB
// settings files. Each case is run three times and the best time is printed, since the question
// is what the code costs, not what the shared machine was doing meanwhile.

#include "model/csv_import.h"
#include "model/menu_fields.h"
#include "model/records.h"
#include "model/settings_file.h"
#include "model/startup_image.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::size_t kFileBytes = 10'000'000;
constexpr int kRuns = 3;

// `line` repeated up to the file size.
std::string Repeated(const std::string& line) {
    std::string file;
    file.reserve(kFileBytes + line.size());
    while (file.size() + line.size() <= kFileBytes)
        file += line;
    return file;
}

// One line: `head`, then `fill` up to the file size, then `tail`.
std::string OneLine(const std::string& head, char fill, const std::string& tail) {
    return head + std::string(kFileBytes - head.size() - tail.size(), fill) + tail;
}

struct FileCase {
    const char* what;
    std::string file;
};

std::size_t LineCount(const std::string& file) {
    return static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n'));
}

template <typename Work> double BestMilliseconds(Work work) {
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        work();
        const double ms = Milliseconds(Clock::now() - start).count();
        best = run == 0 ? ms : std::min(best, ms);
    }
    return best;
}

} // namespace

int main() {
    const FileCase csvCases[] = {
        {"lines \"1e999999,X,\"", Repeated("1e999999,X,\n")},
        {"lines \"1e-999999,X,\"", Repeated("1e-999999,X,\n")},
        {"lines \"-1e999999,X,\"", Repeated("-1e999999,X,\n")},
        {"one number of 10^7 digits", OneLine("1", '0', ",X,\n")},
        {"145.000...0001 (10^7 digits)", OneLine("145.", '0', "1,X,\n")},
        {"0.000...0001e999999", OneLine("0.", '0', "1e999999,X,\n")},
        {"one line of 10^7 letters", OneLine("", 'x', ",X,\n")},
    };
    std::printf("%-32s %10s %9s %9s %10s\n", "10 MB CSV file", "lines", "accepted", "refused", "best ms");
    for (const FileCase& c : csvCases) {
        zem::CsvImportResult result;
        const double ms = BestMilliseconds([&] {
            zem::ChannelTable channels = zem::StartupImage().Channels;
            result = zem::ImportCsv(c.file, channels);
        });
        std::printf("%-32s %10zu %9zu %9s %10.1f\n", c.what, LineCount(c.file), result.accepted,
                    result.error ? "yes" : "no", ms);
    }

    // MENU lines: every free text full of commas gives the most values any sharing can take
    // (each of them empty, which many fields hold), and so the widest search; thousands of commas
    // more than that are read by position at once.
    zem::RadioSettings commas = zem::DefaultSettings();
    for (const char* name : {"MES", "NMSG", "PP", "SMSG", "RSV"}) {
        const zem::MenuField* field = zem::FindMenuField(name);
        field->set(commas, std::string(field->capacity, ','));
    }
    const std::string widest = zem::FormatMenuLine(commas);
    std::string thousands = zem::FormatMenuLine(zem::DefaultSettings());
    thousands.insert(thousands.find(",,7,,7,,7,0"), std::string(kFileBytes / 1000, ','));
    const FileCase menuLines[] = {
        {"every free text full of commas", widest},
        {"10,000 commas in PP", thousands},
    };
    constexpr int kLineRepeats = 1000;
    std::printf("\n%-32s %10s %17s\n", "MENU line", "bytes", "best us per line");
    for (const FileCase& c : menuLines) {
        const std::string_view line = std::string_view(c.file).substr(0, c.file.size() - 2);
        const double ms = BestMilliseconds([&] {
            for (int k = 0; k < kLineRepeats; ++k)
                zem::ParseMenuLine(line);
        });
        std::printf("%-32s %10zu %17.1f\n", c.what, c.file.size(), ms * 1000 / kLineRepeats);
    }

    const std::string header = std::string(zem::kSettingsHeader) + "\r\n";
    const std::string set = zem::FormatSettingsFile(zem::StartupImage()).substr(header.size());
    std::string widestSet = set;
    const std::size_t menu = widestSet.find("MENU ");
    widestSet.replace(menu, widestSet.find('\n', menu) + 1 - menu, widest);
    const FileCase zemCases[] = {
        {"stray lines \"X;\"", header + Repeated("X;\r\n")},
        {"whole sets, one after another", header + Repeated(set)},
        {"the same, MENU full of commas", header + Repeated(widestSet)},
    };
    std::printf("\n%-32s %10s %9s %10s\n", "10 MB settings file", "lines", "warnings", "best ms");
    for (const FileCase& c : zemCases) {
        zem::SettingsFileRead result;
        const double ms = BestMilliseconds([&] {
            zem::RadioImage image = zem::StartupImage();
            result = zem::ParseSettingsFile(c.file, image);
        });
        std::printf("%-32s %10zu %9zu %10.1f\n", c.what, LineCount(c.file), result.warnings.size(), ms);
    }
    return 0;
}
