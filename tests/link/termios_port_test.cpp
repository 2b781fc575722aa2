#include "pty_peer.h"

#include "link/termios_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <termios.h>
#include <thread>

namespace zem {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;
using Wait = SerialPort::WaitResult;

TEST(termios_port_test, open_sets_9600_8n1_raw_and_close_restores) {
    PtyPeer peer;
    termios before{};
    ASSERT_EQ(tcgetattr(peer.SlaveFd(), &before), 0);
    cfsetispeed(&before, B38400);
    cfsetospeed(&before, B38400);
    before.c_cflag |= CSTOPB; // a pseudo-terminal keeps no parity setting, so only stop bits show
    ASSERT_EQ(tcsetattr(peer.SlaveFd(), TCSANOW, &before), 0);

    TermiosPort port;
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    termios now{};
    ASSERT_EQ(tcgetattr(peer.SlaveFd(), &now), 0);
    EXPECT_EQ(cfgetospeed(&now), speed_t{B9600});
    EXPECT_EQ(cfgetispeed(&now), speed_t{B9600});
    EXPECT_EQ(now.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(now.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(now.c_cflag & (CLOCAL | CREAD), tcflag_t{CLOCAL | CREAD});
    EXPECT_EQ(now.c_iflag & (IXON | IXOFF | ICRNL | IGNCR | INLCR), 0u);
    EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(now.c_oflag & OPOST, 0u);
    EXPECT_EQ(now.c_cc[VMIN], 0);
    EXPECT_EQ(now.c_cc[VTIME], 0);

    port.Close();
    ASSERT_EQ(tcgetattr(peer.SlaveFd(), &now), 0);
    EXPECT_EQ(cfgetospeed(&now), speed_t{B38400});
    EXPECT_EQ(now.c_cflag & CSTOPB, tcflag_t{CSTOPB});
}

TEST(termios_port_test, open_failures_are_counted) {
    TermiosPort port;
    EXPECT_EQ(port.Open("/dev/does-not-exist"), 4);
    EXPECT_FALSE(port.Write("ID\r"));
    EXPECT_EQ(port.WaitForLine(10ms), Wait::LineError);
    // Not a terminal: it opens, but it cannot be made exclusive, read, set or flushed.
    EXPECT_EQ(port.Open("/dev/null"), 4);
}

TEST(termios_port_test, second_open_is_refused_until_the_first_closes) {
    PtyPeer peer;
    TermiosPort first;
    TermiosPort second;
    ASSERT_EQ(first.Open(peer.SlavePath()), 0);
    EXPECT_EQ(second.Open(peer.SlavePath()), 4);
    second.Close();
    first.Close();
    EXPECT_EQ(second.Open(peer.SlavePath()), 0);
}

TEST(termios_port_test, wait_ends_at_cr_and_read_takes_what_came_while_waiting) {
    PtyPeer peer;
    TermiosPort port;
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    ASSERT_TRUE(port.Write("ID\r"));
    EXPECT_TRUE(test::WaitForBytes(peer, "ID\r"));

    peer.Send("ID T");
    EXPECT_EQ(port.WaitForLine(100ms), Wait::TimedOut);
    peer.Send("H-D7\rX");
    EXPECT_EQ(port.WaitForLine(5s), Wait::LineArrived);
    std::string out;
    EXPECT_TRUE(port.Read(90, 48ms, out));
    EXPECT_EQ(out, "ID TH-D7\rX");
}

TEST(termios_port_test, read_stops_at_the_limit_and_purge_drops_the_rest) {
    PtyPeer peer;
    TermiosPort port;
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    const std::string answer = std::string(99, 'a') + "\r";
    peer.Send(answer);
    ASSERT_EQ(port.WaitForLine(5s), Wait::LineArrived);
    std::string out;
    EXPECT_TRUE(port.Read(90, 48ms, out));
    EXPECT_EQ(out, answer.substr(0, 90));
    port.Purge();
    out.clear();
    EXPECT_TRUE(port.Read(90, 48ms, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(port.WaitForLine(50ms), Wait::TimedOut);
}

TEST(termios_port_test, read_goes_on_across_short_gaps_only) {
    struct Row {
        std::chrono::milliseconds pause;
        std::string read;
    };
    const Row rows[] = {{3ms, "A\rB\r"}, {250ms, "A\r"}};
    for (const Row& row : rows) {
        PtyPeer peer([&](const std::string&) { return std::vector<PtyPeer::Chunk>{{"A\r", 0ms}, {"B\r", row.pause}}; });
        TermiosPort port;
        ASSERT_EQ(port.Open(peer.SlavePath()), 0);
        ASSERT_TRUE(port.Write("Q\r"));
        ASSERT_EQ(port.WaitForLine(5s), Wait::LineArrived);
        std::string out;
        EXPECT_TRUE(port.Read(90, 48ms, out));
        EXPECT_EQ(out, row.read) << row.pause.count();
    }
}

TEST(termios_port_test, hang_up_is_a_line_error_not_a_time_out) {
    PtyPeer peer;
    TermiosPort port;
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    peer.HangUp();
    EXPECT_EQ(port.WaitForLine(5s), Wait::LineError);
}

TEST(termios_port_test, flood_without_cr_overruns_the_queue) {
    PtyPeer peer;
    TermiosPort port;
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    peer.Send(std::string(TermiosPort::kQueueSize + 200, 'x') + "\r");
    EXPECT_EQ(port.WaitForLine(5s), Wait::LineError);
    port.Purge();
    peer.Send("OK\r");
    EXPECT_EQ(port.WaitForLine(5s), Wait::LineArrived);
}

// Real calls, except where a test makes one fail, come short or be interrupted.
class FaultyIo : public PosixIo {
public:
    int writeChunk = 0;      // >0: at most this many bytes a write
    int interruptWrites = 0; // fail this many writes with EINTR first
    int interruptPolls = 0;  // fail this many polls with EINTR first
    bool failWrite = false;  // EIO
    int failReadAfter = -1;  // >=0: reads after this many fail with EIO

    ssize_t Write(int fd, const void* buffer, size_t count) override {
        if (failWrite)
            return Fail(EIO);
        if (interruptWrites > 0) {
            --interruptWrites;
            return Fail(EINTR);
        }
        return PosixIo::Write(fd, buffer, writeChunk > 0 ? std::min<size_t>(count, writeChunk) : count);
    }
    int Poll(pollfd* fds, nfds_t count, int timeoutMs) override {
        if (interruptPolls > 0) {
            --interruptPolls;
            return static_cast<int>(Fail(EINTR));
        }
        return PosixIo::Poll(fds, count, timeoutMs);
    }
    ssize_t Read(int fd, void* buffer, size_t count) override {
        if (failReadAfter == 0)
            return Fail(EIO);
        if (failReadAfter > 0)
            --failReadAfter;
        return PosixIo::Read(fd, buffer, count);
    }

private:
    static ssize_t Fail(int error) {
        errno = error;
        return -1;
    }
};

TEST(termios_port_test, short_and_interrupted_writes_still_send_everything) {
    PtyPeer peer;
    FaultyIo io;
    io.writeChunk = 1;
    io.interruptWrites = 2;
    TermiosPort port(io);
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    const std::string command = "MW 0,0,005,00145000000,5,0,0,0,0,,00,,08,000000000,0,0\r";
    EXPECT_TRUE(port.Write(command));
    EXPECT_TRUE(test::WaitForBytes(peer, command));
}

TEST(termios_port_test, failed_write_is_reported) {
    PtyPeer peer;
    FaultyIo io;
    TermiosPort port(io);
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    io.failWrite = true;
    EXPECT_FALSE(port.Write("ID\r"));
}

TEST(termios_port_test, interrupted_wait_goes_on) {
    PtyPeer peer;
    FaultyIo io;
    TermiosPort port(io);
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    io.interruptPolls = 3;
    peer.Send("OK\r");
    EXPECT_EQ(port.WaitForLine(5s), Wait::LineArrived);
}

TEST(termios_port_test, failed_read_keeps_what_came_before) {
    PtyPeer peer;
    FaultyIo io;
    TermiosPort port(io);
    ASSERT_EQ(port.Open(peer.SlavePath()), 0);
    peer.Send("AB\r");
    ASSERT_EQ(port.WaitForLine(5s), Wait::LineArrived);
    io.failReadAfter = 0;
    peer.Send("CD");
    std::string out;
    EXPECT_FALSE(port.Read(90, 200ms, out));
    EXPECT_EQ(out, "AB\r");
}

} // namespace
} // namespace zem
