#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/settings_file.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
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
    EXPECT_EQ(ReadWholeFile(path), "new contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, save_through_a_link_replaces_the_linked_file) {
    const fs::path real = dir_ / "real.zem";
    const fs::path link = dir_ / "link.zem";
    Write(real, "old");
    fs::create_symlink(real, link);
    SaveFileAtomically(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "new");
}

TEST_F(FileIoTest, save_keeps_the_permissions_of_the_replaced_file) {
    const fs::path path = dir_ / "radio.zem";
    Write(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    SaveFileAtomically(path, "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
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
    EXPECT_EQ(ReadWholeFile(path), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, temporary_that_cannot_be_created_leaves_the_old_file_intact) {
    // The temporary's name is longer than the target's, so a target near the longest name allowed
    // fails at the create, even for root.
    const fs::path path = dir_ / (std::string(250, 'n') + ".zem");
    Write(path, "old contents");
    EXPECT_THROW(SaveZemFile(path, StartupImage()), FileError);
    EXPECT_EQ(ReadWholeFile(path), "old contents");
    EXPECT_THROW(SaveFileAtomically(dir_ / "no such dir" / "radio.zem", "x"), FileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, write_that_fails_half_way_leaves_the_old_file_intact) {
    const fs::path path = dir_ / "radio.zem";
    Write(path, "old contents");
    // A file size limit makes the write fail after its first bytes, like a full disk.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        SaveZemFile(path, StartupImage());
    } catch (const FileError& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message.rfind("ファイル " + path.string() + " に書き込めませんでした", 0), 0u) << message;
    EXPECT_EQ(ReadWholeFile(path), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, read_errors) {
    EXPECT_THROW(ReadWholeFile(dir_ / "missing.zem"), FileError);
    EXPECT_THROW(ReadWholeFile(dir_), FileError);
    try {
        ReadWholeFile(dir_ / "missing.zem");
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
        const std::string bytes = ReadWholeFile(failing);
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
