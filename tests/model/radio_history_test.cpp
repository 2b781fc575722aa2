#include "model/file_io.h"
#include "model/radio_history.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zem {
namespace {

TEST(radio_history_test, description_reads_back_and_refuses_what_names_no_entry) {
    const HistoryEntry entry{
        "2026-12-09T22:30:05.123Z", HistoryKind::BeforeWrite, "/dev/ttyUSB0\nx", {true, false, true}, "1.0.0"};
    const std::string text = FormatHistoryEntry(entry);
    EXPECT_EQ(text, "time 2026-12-09T22:30:05.123Z\nwhat before write\nport /dev/ttyUSB0 x\nblocks memory,settings\n"
                    "version 1.0.0\n");
    HistoryEntry shown = entry;
    shown.port = "/dev/ttyUSB0 x";
    EXPECT_EQ(ParseHistoryEntry(text), shown);
    for (const char* bad : {"", "time t\nwhat read\nport p\nblocks memory\n", // no version
                            "time t\nwhat erased\nport p\nblocks memory\nversion v\n",
                            "time t\nwhat read\nport p\nblocks memo\nversion v\n",
                            "time t\nwhat read\nport p\nblocks memory\nversion v\nextra x\n"})
        EXPECT_EQ(ParseHistoryEntry(bad), std::nullopt) << bad;
}

// Five entries; each bound keeps the newest that fit and removes the rest, both files of each.
TEST(radio_history_test, bounds_remove_the_oldest_entries_first) {
    struct Row {
        HistoryLimits limits;
        std::size_t kept;
    };
    const std::string bytes = FormatSettingsFile(StartupImage());
    const Row rows[] = {
        {{.entries = 3}, 3},
        {{.bytes = 2 * (bytes.size() + 100)}, 2}, // the description is under 100 bytes
        {{}, 5},
    };
    for (const Row& row : rows) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("zem_history_test_" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        for (int second = 1; second <= 5; ++second)
            SaveHistoryEntry(folder,
                             {"2026-12-09T22:30:0" + std::to_string(second) + ".000Z",
                              HistoryKind::Read,
                              "sim",
                              {true, true, true},
                              "1"},
                             StartupImage());
        PruneHistory(folder, row.limits);
        const std::vector<StoredEntry> kept = ListHistory(folder);
        ASSERT_EQ(kept.size(), row.kept);
        EXPECT_EQ(kept.front().entry.time, "2026-12-09T22:30:05.000Z");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2 * static_cast<long>(row.kept));
        std::filesystem::remove_all(folder);
    }
}

} // namespace
} // namespace zem
