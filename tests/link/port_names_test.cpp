#include "link/tcomm_thread.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

TEST(port_names_test, link_takes_index_and_keeps_it_for_other_characters) {
    TCommThread link;
    EXPECT_EQ(link.PortName(), "COM2");
    EXPECT_EQ(link.PortPath(), "/dev/ttyS1");
    link.SetPort('0');
    EXPECT_EQ(link.PortName(), "com1");
    EXPECT_EQ(link.PortPath(), "/dev/ttyS0");
    link.SetPort('7');
    EXPECT_EQ(link.PortName(), "com1");
    EXPECT_EQ(link.PortPath(), "/dev/ttyS0");
    link.SetPortPath("/dev/ttyUSB0");
    EXPECT_EQ(link.PortName(), "/dev/ttyUSB0");
    EXPECT_EQ(link.PortPath(), "/dev/ttyUSB0");
    link.SetPortPath("COM4");
    EXPECT_EQ(link.PortName(), "com4");
    EXPECT_EQ(link.PortPath(), "/dev/ttyS3");
}

} // namespace
} // namespace zem
