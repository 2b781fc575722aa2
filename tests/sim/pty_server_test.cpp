#include "sim/pty_server.h"
#include "test_options.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace zem::sim {
namespace {

using std::chrono::milliseconds;

using test::Paced;
using test::WithFault;

// A bare client on the slave side, as a serial program would open it.
class Client {
public:
    explicit Client(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios t{};
        ::tcgetattr(fd_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd_, TCSANOW, &t);
    }
    ~Client() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }

    void Send(const std::string& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Reads until `lines` CRs have come or nothing more arrives within `quiet`.
    std::string Receive(int lines = 1, milliseconds quiet = milliseconds(2000)) {
        std::string got;
        while (std::count(got.begin(), got.end(), '\r') < lines) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int fd_;
};

// The benchmark's figures of bytes on the wire come from these counters.
TEST(PtyServerTest, CountsTheBytesEachWay) {
    PtyServer server;
    ASSERT_EQ(server.Start(), "");
    Client client(server.SlavePath());
    ASSERT_TRUE(client.ok());
    client.Send("ID\r");
    EXPECT_EQ(client.Receive(), "ID TH-D7\r");
    EXPECT_EQ(server.BytesReceived(), 3u);
    EXPECT_EQ(server.BytesSent(), 9u);
    server.ResetByteCounts();
    EXPECT_EQ(server.BytesReceived(), 0u);
    EXPECT_EQ(server.BytesSent(), 0u);
}

TEST(PtyServerTest, AnswersOverAPseudoTerminal) {
    PtyServer server;
    ASSERT_EQ(server.Start(), "");
    ASSERT_FALSE(server.SlavePath().empty());
    Client client(server.SlavePath());
    ASSERT_TRUE(client.ok());
    client.Send("ID\r");
    EXPECT_EQ(client.Receive(), "ID TH-D7\r");
    client.Send("MR 0,0,000\rFL\r");
    EXPECT_EQ(client.Receive(2),
              "MR 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0,0\rFL 00144,00146,00430,00440\r");
    EXPECT_EQ(server.CommandLog(), (std::vector<std::string>{"ID", "MR 0,0,000", "FL"}));
}

TEST(PtyServerTest, ServesOneClientAfterAnother) {
    PtyServer server;
    ASSERT_EQ(server.Start(), "");
    for (int round = 0; round < 3; ++round) {
        Client client(server.SlavePath());
        ASSERT_TRUE(client.ok());
        client.Send("BCN\r");
        EXPECT_EQ(client.Receive(), "BCN 0\r");
    }
}

TEST(PtyServerTest, SharesItsEngineAndTakesNewOptions) {
    auto engine = std::make_shared<RadioEngine>();
    PtyServer server(engine);
    ASSERT_EQ(server.Start(), "");
    Client client(server.SlavePath());
    client.Send("MES HI\r");
    EXPECT_EQ(client.Receive(), "MES HI\r");
    EXPECT_EQ(engine->Image().Settings.MES, "HI");

    server.SetOptions(WithFault(Fault(Fault::Kind::NoAnswer, 0, "ID")));
    client.Send("ID\r");
    EXPECT_EQ(client.Receive(1, milliseconds(150)), "");
    client.Send("FL\r");
    EXPECT_EQ(client.Receive(), "FL 00144,00146,00430,00440\r");
}

TEST(PtyServerTest, PacedAnswerArrivesWhole) {
    PtyServer server(nullptr, Paced(milliseconds(5)));
    ASSERT_EQ(server.Start(), "");
    Client client(server.SlavePath());
    client.Send("VR 1\r");
    EXPECT_EQ(client.Receive(), "VR 1,00125000000,5,0,0,0,0,,09,,09,000000000,0\r");
}

TEST(PtyServerTest, StopsAndRestartsCleanly) {
    PtyServer server;
    ASSERT_EQ(server.Start(), "");
    server.Stop();
    server.Stop();
    ASSERT_EQ(server.Start(), "");
    Client client(server.SlavePath());
    client.Send("ID\r");
    EXPECT_EQ(client.Receive(), "ID TH-D7\r");
}

} // namespace
} // namespace zem::sim
