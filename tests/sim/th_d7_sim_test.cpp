// The th-d7-sim executable as a user runs it: started as a process, found through the path it
// prints, stopped with a signal.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Child {
    pid_t pid = -1;
    int out = -1; // the child's standard output
};

Child Spawn(std::vector<std::string> args, const char* program = TH_D7_SIM_PATH) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Child run;
    const int rc = ::posix_spawn(&run.pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        return {};
    }
    run.out = pipeFds[0];
    return run;
}

// Reads what arrives on fd until `end` has come or nothing more comes for 5 s.
std::string ReadUntil(int fd, char end) {
    std::string got;
    while (got.empty() || got.back() != end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            break;
        char c;
        if (::read(fd, &c, 1) != 1)
            break;
        got.push_back(c);
    }
    return got;
}

int StopAndWait(const Child& run, int signalNumber) {
    ::kill(run.pid, signalNumber);
    int status = 0;
    ::waitpid(run.pid, &status, 0);
    ::close(run.out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Exchange(int fd, const std::string& command) {
    const std::string line = command + "\r";
    if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return {};
    return ReadUntil(fd, '\r');
}

int OpenRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    return fd;
}

class ThD7SimTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("th-d7-sim-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ThD7SimTest, ServesItsPrintedPathThroughALinkAndSavesOnExit) {
    const fs::path link = dir_ / "d7";
    const fs::path saved = dir_ / "radio.zem";
    const Child run = Spawn({"--link", link.string(), "--save", saved.string(), "--modified"});
    ASSERT_GE(run.out, 0);
    std::string path = ReadUntil(run.out, '\n');
    ASSERT_FALSE(path.empty());
    path.pop_back();
    EXPECT_EQ(fs::read_symlink(link), path);

    const int fd = OpenRaw(link.string());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd, "ID"), "ID TH-D7\r");
    EXPECT_EQ(Exchange(fd, "FL"), "FL 00118,00174,00400,00479\r");
    EXPECT_EQ(Exchange(fd, "MES SAVED"), "MES SAVED\r");
    ::close(fd);

    EXPECT_EQ(StopAndWait(run, SIGINT), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    std::ifstream file(saved, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes.starts_with("ID TH-D7 ZEM_D7;\r\n"));
    EXPECT_NE(bytes.find("MENU SAVED,"), std::string::npos);
}

TEST_F(ThD7SimTest, LoadsARadioAndAppliesFaultOptions) {
    const fs::path file = dir_ / "start.zem";
    {
        const Child first = Spawn({"--save", file.string()});
        ASSERT_GE(first.out, 0);
        std::string path = ReadUntil(first.out, '\n');
        path.pop_back();
        const int fd = OpenRaw(path);
        EXPECT_EQ(Exchange(fd, "MNA 0,000,LOADED"), "MNA 0,000,LOADED\r");
        ::close(fd);
        // A hang-up (its terminal closed) still saves the radio.
        EXPECT_EQ(StopAndWait(first, SIGHUP), 0);
    }
    const Child run = Spawn({"--load", file.string(), "--no-echo", "MNA", "--garble", "2", "--garble", "MNA 0,001#1"});
    ASSERT_GE(run.out, 0);
    std::string path = ReadUntil(run.out, '\n');
    path.pop_back();
    const int fd = OpenRaw(path);
    EXPECT_EQ(Exchange(fd, "MNA 0,000"), "0,000,LOADED\r");
    EXPECT_EQ(Exchange(fd, "ID"), "## ##-#7\r");
    // A whole command with its number is garbled that time only.
    EXPECT_EQ(Exchange(fd, "MNA 0,001"), "0,001,### ####\r");
    EXPECT_EQ(Exchange(fd, "MNA 0,001"), "0,001,UHF CALL\r");
    ::close(fd);
    EXPECT_EQ(StopAndWait(run, SIGTERM), 0);
}

// The rig-control library most Linux radio programs use, through its command-line client: it
// asks AI, BC, VMC, FQ and MD before and around what it is told to do.
TEST_F(ThD7SimTest, AnswersARigControlProgram) {
    constexpr const char* kRigctl = "/usr/bin/rigctl";
    if (!fs::exists(kRigctl))
        GTEST_SKIP() << "needs rigctl (Debian package libhamlib-utils)";
    const fs::path link = dir_ / "d7";
    const Child sim = Spawn({"--link", link.string()});
    ASSERT_GE(sim.out, 0);
    ASSERT_FALSE(ReadUntil(sim.out, '\n').empty());

    const Child rig = Spawn(
        {"-m", "2017", "-r", link.string(), "-s", "9600", "f", "F", "145500000", "f", "m", "M", "AM", "0", "m", "v"},
        kRigctl);
    ASSERT_GE(rig.out, 0);
    const std::string answers = ReadUntil(rig.out, '\0'); // everything, up to the end of its output
    EXPECT_EQ(StopAndWait(rig, 0), 0) << answers;
    // Frequency, frequency, mode and passband, mode and passband, VFO; the passband is the
    // library's own figure.
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = answers.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(answers.substr(start, end - start));
    ASSERT_EQ(lines.size(), 7u) << answers;
    EXPECT_EQ(lines[0], "145000000");
    EXPECT_EQ(lines[1], "145500000");
    EXPECT_EQ(lines[2], "FM");
    EXPECT_EQ(lines[4], "AM");
    EXPECT_EQ(lines[6], "VFOA");
    EXPECT_EQ(StopAndWait(sim, SIGINT), 0);
}

struct BadOptionRow {
    std::vector<std::string> args;
};

class ThD7SimBadOptionTest : public testing::TestWithParam<BadOptionRow> {};

TEST_P(ThD7SimBadOptionTest, RefusesWithExitCode2) {
    const Child run = Spawn(GetParam().args);
    ASSERT_GE(run.out, 0);
    int status = 0;
    ::waitpid(run.pid, &status, 0);
    ::close(run.out);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

INSTANTIATE_TEST_SUITE_P(Options, ThD7SimBadOptionTest,
                         testing::Values(BadOptionRow{{"--delay", "-5"}}, BadOptionRow{{"--delay", "soon"}},
                                         BadOptionRow{{"--no-answer", "0"}}, BadOptionRow{{"--garble", "ID:10"}},
                                         BadOptionRow{{"--slow", "FL:x"}}, BadOptionRow{{"--split", ""}},
                                         BadOptionRow{{"--alter-stored", "MW:5"}},
                                         BadOptionRow{{"--stop", "MR 0,0,050#0"}},
                                         BadOptionRow{{"--load", "/nonexistent/radio.zem"}},
                                         BadOptionRow{{"--save", "radio.txt"}}, BadOptionRow{{"extra"}}));

} // namespace
