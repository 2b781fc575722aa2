#include "model/port_names.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

TEST(port_names_test, index_gives_name_and_device) {
    struct Row {
        char index;
        const char* name;
        const char* path;
    };
    const Row rows[] = {
        {'0', "com1", "/dev/ttyS0"},
        {'1', "COM2", "/dev/ttyS1"},
        {'2', "com3", "/dev/ttyS2"},
        {'3', "com4", "/dev/ttyS3"},
    };
    for (const Row& row : rows) {
        const std::optional<PortChoice> choice = PortOfIndex(row.index);
        ASSERT_TRUE(choice) << row.index;
        EXPECT_EQ(choice->name, row.name);
        EXPECT_EQ(choice->path, row.path);
        EXPECT_EQ(IndexOfPortName(row.name), row.index);
    }
    for (char outside : {'4', '/', 'a', '\0', ';'})
        EXPECT_FALSE(PortOfIndex(outside)) << int(outside);
}

TEST(port_names_test, names_match_in_any_case) {
    EXPECT_EQ(IndexOfPortName("COM1"), '0');
    EXPECT_EQ(IndexOfPortName("Com3"), '2');
    for (const char* other : {"com5", "com", "com10", "/dev/ttyS0", "sim", ""})
        EXPECT_FALSE(IndexOfPortName(other)) << other;
}

} // namespace
} // namespace zem
