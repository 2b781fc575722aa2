#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/file_name.h"
#include "model/settings_file.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iostream>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zem {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zem_file_io_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    static void Write(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

    fs::path dir_;
};

TEST_F(FileIoTest, save_replaces_the_file_and_leaves_no_temporary) {
    const fs::path path = dir_ / "radio.zem";
    Write(path, "old");
    SaveFileAtomically(path, "new contents");
    EXPECT_EQ(ReadWholeFile(path, kZemFileLimit), "new contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, failed_save_leaves_the_old_file_intact) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories; run as an ordinary user";
    const fs::path path = dir_ / "radio.zem";
    Write(path, "old contents");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        SaveZemFile(path, StartupImage());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("ファイル " + path.string() + " を作成できません", 0), 0u) << e.what();
    }
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(ReadWholeFile(path, kZemFileLimit), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, write_that_fails_half_way_says_what_is_left) {
    // A file size limit makes the write fail after its first bytes, like a full disk.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const bool existing : {true, false}) {
        SCOPED_TRACE(existing ? "over a file" : "a new file");
        const fs::path path = dir_ / "radio.zem";
        fs::remove(path);
        if (existing)
            Write(path, "old contents");
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        std::string message;
        try {
            SaveZemFile(path, StartupImage());
        } catch (const FileError& e) {
            message = e.what();
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_EQ(message.rfind("ファイル " + path.string() + " に書き込めませんでした", 0), 0u) << message;
        // Only an existing file can be said to be untouched.
        EXPECT_EQ(message.find("元のファイルはそのまま残っています") != std::string::npos, existing) << message;
        EXPECT_EQ(fs::exists(path), existing);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), existing ? 1 : 0);
    }
    std::signal(SIGXFSZ, oldHandler);
}

// What a save does with each kind of target: `setUp` makes the scene and returns the path given
// to the save; `error` is part of the expected message, empty when the save must succeed; `check`
// looks at what is left.
struct SaveCase {
    const char* name;
    std::function<fs::path(const fs::path& dir)> setUp;
    std::string error;
    std::function<void(const fs::path& dir)> check;
};

std::string Content(const fs::path& path) {
    return ReadWholeFile(path, kZemFileLimit);
}

TEST_F(FileIoTest, save_cases) {
    const std::string longName = std::string(240, 'n') + ".zem"; // 244 bytes, the system allows 255
    std::future<std::string> fifoReader;
    const std::vector<SaveCase> cases{
        {"link to a file: the file is written, the link stays",
         [](const fs::path& d) {
             Write(d / "real.zem", "old");
             fs::create_symlink("real.zem", d / "link.zem");
             return d / "link.zem";
         },
         "",
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.zem"));
             EXPECT_EQ(Content(d / "real.zem"), "new");
         }},
        {"dangling link: the file it names is made",
         [](const fs::path& d) {
             fs::create_symlink("made.zem", d / "link.zem");
             return d / "link.zem";
         },
         "",
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.zem"));
             EXPECT_EQ(Content(d / "made.zem"), "new");
         }},
        {"link loop: refused",
         [](const fs::path& d) {
             fs::create_symlink("b.zem", d / "a.zem");
             fs::create_symlink("a.zem", d / "b.zem");
             return d / "a.zem";
         },
         std::strerror(ELOOP), [](const fs::path& d) { EXPECT_TRUE(fs::is_symlink(d / "a.zem")); }},
        {"FIFO: written through",
         [&fifoReader](const fs::path& d) {
             const fs::path fifo = d / "pipe";
             EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
             fifoReader = std::async(std::launch::async, [fifo] {
                 std::ifstream in(fifo, std::ios::binary);
                 return std::string(std::istreambuf_iterator<char>(in), {});
             });
             return fifo;
         },
         "",
         [&fifoReader](const fs::path& d) {
             EXPECT_EQ(fifoReader.get(), "new");
             EXPECT_TRUE(fs::is_fifo(d / "pipe"));
         }},
        {"device: written through, its error reported, never replaced", [](const fs::path&) { return "/dev/full"; },
         std::strerror(ENOSPC), [](const fs::path&) { EXPECT_TRUE(fs::is_character_file("/dev/full")); }},
        {"read-only file: refused for every user, root included",
         [](const fs::path& d) {
             Write(d / "ro.zem", "old");
             fs::permissions(d / "ro.zem", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
             return d / "ro.zem";
         },
         "書き込みが許されていないファイルです",
         [](const fs::path& d) {
             EXPECT_EQ(Content(d / "ro.zem"), "old");
             EXPECT_EQ(fs::status(d / "ro.zem").permissions(),
                       fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         }},
        {"directory: refused", [](const fs::path& d) { return d; }, std::strerror(EISDIR), nullptr},
        {"missing folder: refused", [](const fs::path& d) { return d / "no such folder" / "a.zem"; },
         std::strerror(ENOENT), nullptr},
        {"longest name: saved", [&longName](const fs::path& d) { return d / longName; }, "",
         [&longName](const fs::path& d) { EXPECT_EQ(Content(d / longName), "new"); }},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path path = c.setUp(dir_);
        std::string message;
        try {
            SaveFileAtomically(path, "new");
        } catch (const FileError& e) {
            message = e.what();
        }
        if (c.error.empty())
            EXPECT_EQ(message, "");
        else
            EXPECT_NE(message.find(c.error), std::string::npos) << message;
        if (c.check)
            c.check(dir_);
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_))
            EXPECT_EQ(entry.path().filename().string().rfind(".zem_d7-", 0), std::string::npos) << "temporary left";
    }
}

// What a command's guard keeps: `setUp` makes the scene, fills the guard and returns the path;
// the save must fail with `error` and leave the file `kept` as it was.
TEST_F(FileIoTest, guard_cases) {
    const std::string settings = FormatSettingsFile(StartupImage());
    const struct {
        const char* name;
        std::function<fs::path(const fs::path& d, SaveGuard& g)> setUp;
        std::string error;
        const char* kept;
    } cases[] = {
        {"the command's input, through a hard link",
         [](const fs::path& d, SaveGuard& g) {
             fs::create_hard_link(d / "old", d / "out.zem");
             g.inputs = {d / "old"};
             return d / "out.zem";
         },
         "は読み込むファイル", "old"},
        {"a settings file known by its content, through a link",
         [&settings](const fs::path& d, SaveGuard& g) {
             Write(d / "backup.bak", settings);
             fs::create_symlink("backup.bak", d / "store.txt");
             g.keepSettingsFiles = true;
             return d / "store.txt";
         },
         "store.txt は設定ファイルです", "backup.bak"},
        {"a name already taken when only a new file may be made",
         [](const fs::path& d, SaveGuard& g) {
             g.onlyNew = true;
             return d / "old";
         },
         std::strerror(EEXIST), "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Write(dir_ / "old", "old");
        SaveGuard guard;
        const fs::path path = c.setUp(dir_, guard);
        const std::string before = Content(dir_ / c.kept);
        std::string message;
        try {
            SaveFileAtomically(path, "new", guard);
        } catch (const FileError& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(c.error), std::string::npos) << message;
        EXPECT_EQ(Content(dir_ / c.kept), before);
    }
}

TEST_F(FileIoTest, save_as_root_keeps_a_foreign_owner_and_group) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const fs::path path = dir_ / "theirs.zem";
    Write(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SaveFileAtomically(path, "new");
    struct stat saved {};
    ASSERT_EQ(::stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, 4321u);
    EXPECT_EQ(saved.st_gid, 8765u);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_EQ(Content(path), "new");
}

// An output opened ahead: a FIFO waits for its reader until given up, then takes each save's new
// end as it comes; a regular file is saved whole each time.
TEST_F(FileIoTest, output_opened_ahead_waits_for_a_reader_and_takes_what_is_added) {
    const fs::path fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int asked = 0;
    EXPECT_FALSE(OutputFile(fifo, [&asked] { return ++asked == 3; }).Opened());
    EXPECT_EQ(asked, 3);

    std::future<std::string> reader = std::async(std::launch::async, [fifo] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    {
        OutputFile output(fifo, [] { return false; });
        ASSERT_TRUE(output.Opened());
        output.Save("line 1\n");
        output.Save("line 1\nline 2\n");
    }
    EXPECT_EQ(reader.get(), "line 1\nline 2\n");

    OutputFile file(dir_ / "store.txt", [] { return false; });
    file.Save("a");
    file.Save("ab");
    EXPECT_EQ(ReadWholeFile(dir_ / "store.txt", 10), "ab");
}

TEST_F(FileIoTest, same_file_through_links) {
    Write(dir_ / "a.zem", "a");
    Write(dir_ / "b.zem", "a");
    fs::create_symlink("a.zem", dir_ / "link.zem");
    fs::create_hard_link(dir_ / "a.zem", dir_ / "hard.zem");
    EXPECT_TRUE(IsSameFile(dir_ / "a.zem", dir_ / "link.zem"));
    EXPECT_TRUE(IsSameFile(dir_ / "hard.zem", dir_ / "link.zem"));
    EXPECT_FALSE(IsSameFile(dir_ / "a.zem", dir_ / "b.zem"));
    EXPECT_FALSE(IsSameFile(dir_ / "a.zem", dir_ / "missing.zem"));
}

TEST_F(FileIoTest, file_over_the_limit_is_refused_before_it_is_read) {
    const fs::path path = dir_ / "huge.zem";
    Write(path, "");
    fs::resize_file(path, std::uintmax_t{2} << 30); // sparse: no disk space, 2 GB to a reader
    RadioImage image = StartupImage();
    try {
        LoadZemFile(path, image);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + path.string() + " は大きすぎます（16 MB を超えています）");
    }
    fs::resize_file(path, kZemFileLimit);
    EXPECT_EQ(ReadWholeFile(path, kZemFileLimit).size(), kZemFileLimit);
}

// Ctrl-C in the middle of a save: the program ends as the signal says and leaves no temporary.
TEST_F(FileIoTest, signal_during_a_save_leaves_no_temporary) {
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, dir_.c_str(), IN_CREATE), 0);
    const fs::path path = dir_ / "big.zem";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SaveFileAtomically(path, std::string(std::size_t{64} << 20, 'x'));
        ::_exit(0);
    }
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
    EXPECT_GT(::read(watch, event, sizeof event), 0); // the temporary file is made
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(watch);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << "the save ended before the signal";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 0);
}

TEST_F(FileIoTest, file_names_keep_their_bytes_and_messages_escape_them) {
    const std::string cp932 = "\x83\x65\x83\x58\x83\x67.zem"; // テスト.zem in CP932
    const std::u16string text = FileNameText(cp932);
    EXPECT_EQ(FileNameBytes(text), cp932);
    EXPECT_EQ(FileNameText("無線.zem"), u"無線.zem");
    EXPECT_EQ(FileNameBytes(u"無線\U0001F4FB.zem"), "無線\U0001F4FB.zem");
    EXPECT_EQ(ShownText(cp932), "\\x83e\\x83X\\x83g.zem");
    EXPECT_EQ(ShownText("a\x1B[2Jb\tc\xC2\x9B無線"), "a\\x1B[2Jb\\x09c\\xC2\\x9B無線");
    EXPECT_EQ(ShownText("\xC0\xAF\xED\xA0\x80"), "\\xC0\\xAF\\xED\\xA0\\x80"); // overlong, surrogate
}

TEST_F(FileIoTest, read_errors) {
    EXPECT_THROW(ReadWholeFile(dir_ / "missing.zem", kZemFileLimit), FileError);
    EXPECT_THROW(ReadWholeFile(dir_, kZemFileLimit), FileError);
    try {
        ReadWholeFile(dir_ / "missing.zem", kZemFileLimit);
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + (dir_ / "missing.zem").string() + " が見つかりません");
    }
}

TEST_F(FileIoTest, read_that_fails_is_an_error_not_a_short_file) {
    // A regular file whose every read fails with EIO, as a failing disk's would.
    const fs::path failing = "/proc/self/mem";
    if (!fs::is_regular_file(failing))
        GTEST_SKIP() << "needs Linux's /proc/self/mem";
    try {
        const std::string bytes = ReadWholeFile(failing, kZemFileLimit);
        FAIL() << "no error; read " << bytes.size() << " bytes";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("ファイル " + failing.string() + " を読み込めません", 0), 0u) << e.what();
    }
}

TEST_F(FileIoTest, zem_extension_in_any_case) {
    EXPECT_TRUE(HasZemExtension("a.zem"));
    EXPECT_TRUE(HasZemExtension("dir/A.ZEM"));
    EXPECT_TRUE(HasZemExtension("b.Zem"));
    EXPECT_FALSE(HasZemExtension("a.zem.bak"));
    EXPECT_FALSE(HasZemExtension("zem"));
    EXPECT_FALSE(HasZemExtension("a.csv"));
}

TEST_F(FileIoTest, load_and_save_a_settings_file) {
    RadioImage image = StartupImage();
    image.Channels[3] = ParseCsvLine("145.02,HOME,memo, with comma");
    image.Channels[3].Memo = "memo, with comma";
    image.Settings.PP = "RELAY,WIDE";
    const fs::path path = dir_ / "A.ZEM";
    SaveZemFile(path, image);
    RadioImage read = StartupImage();
    EXPECT_TRUE(LoadZemFile(path, read).recognised);
    EXPECT_EQ(read, image);

    Write(path, "not a settings file\r\n");
    RadioImage untouched = image;
    EXPECT_FALSE(LoadZemFile(path, untouched).recognised);
    EXPECT_EQ(untouched, image);

    Write(dir_ / "a.txt", FormatSettingsFile(image));
    EXPECT_THROW(LoadZemFile(dir_ / "a.txt", read), FileError);
    EXPECT_THROW(LoadZemFile(dir_ / "missing.zem", read), FileError);
}

} // namespace
} // namespace zem
