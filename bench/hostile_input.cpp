// hostile_input: how long the model takes over input built to be slow, the way a damaged or
// malicious file would be. Each CSV file is 10 MB and goes through the import the window and the
// command-line tool use; each case is run three times and the best time is printed, since the
// question is what the code costs, not what the shared machine was doing meanwhile.
//
// A sane CSV of 150 channels is read in well under a millisecond; the figures here show whether
// numbers with huge exponents or digit runs cost more than their bytes.

#include "model/csv_import.h"
#include "model/records.h"
#include "model/startup_image.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

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

struct CsvCase {
    const char* what;
    std::string file;
};

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
    const CsvCase csvCases[] = {
        {"lines \"1e999999,X,\"", Repeated("1e999999,X,\n")},
        {"lines \"1e-999999,X,\"", Repeated("1e-999999,X,\n")},
        {"lines \"-1e999999,X,\"", Repeated("-1e999999,X,\n")},
        {"one number of 10^7 digits", OneLine("1", '0', ",X,\n")},
        {"145.000...0001 (10^7 digits)", OneLine("145.", '0', "1,X,\n")},
        {"0.000...0001e999999", OneLine("0.", '0', "1e999999,X,\n")},
        {"one line of 10^7 letters", OneLine("", 'x', ",X,\n")},
    };
    std::printf("%-32s %10s %9s %9s %10s\n", "10 MB CSV file", "lines", "accepted", "refused", "best ms");
    for (const CsvCase& c : csvCases) {
        zem::CsvImportResult result;
        const double ms = BestMilliseconds([&] {
            zem::ChannelTable channels = zem::StartupImage().Channels;
            result = zem::ImportCsv(c.file, channels);
        });
        const auto lines = static_cast<std::size_t>(std::count(c.file.begin(), c.file.end(), '\n'));
        std::printf("%-32s %10zu %9zu %9s %10.1f\n", c.what, lines, result.accepted, result.error ? "yes" : "no", ms);
    }
    return 0;
}
