#include "file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {
namespace {

std::string PathText(const std::filesystem::path& path) {
    return path.string();
}

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& path, int error) {
    throw FileError("ファイル " + PathText(path) + " を作成できません（" + std::strerror(error) + "）");
}

[[noreturn]] void ThrowWriteFailed(const std::filesystem::path& path, int error) {
    throw FileError("ファイル " + PathText(path) + " に書き込めませんでした（" + std::strerror(error) +
                    "）。元のファイルはそのまま残っています");
}

[[noreturn]] void ThrowCannotRead(const std::filesystem::path& path, int error) {
    throw FileError("ファイル " + PathText(path) + " を読み込めません（" + std::strerror(error) + "）");
}

// Appends everything up to the end of the file; 0, or the errno of the read that failed.
int ReadAll(int fd, std::string& bytes) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Closes the descriptor and removes the temporary file unless the rename has taken it over.
class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = target;
            std::string name = ".";
            name.append(target.filename().string())
                .append(".tmp-")
                .append(std::to_string(::getpid()))
                .append("-")
                .append(std::to_string(counter++));
            path_.replace_filename(name);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            ThrowCannotCreate(target, errno);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!renamed_)
            ::unlink(path_.c_str());
    }

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    // Closing reports the last write errors of some file systems, so it is checked too.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void MarkRenamed() { renamed_ = true; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool renamed_ = false;
};

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& target) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowWriteFailed(target, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A link stays a link: the file it points to is the one replaced.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target;
}

// The rename is only on the disk once the directory is; a failure here loses nothing already
// written, so it is not reported.
void SyncDirectory(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void SaveFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    const std::filesystem::path path = ResolveLink(requested);
    TempFile temp(path);
    WriteAll(temp.fd(), bytes, path);
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && ::fchmod(temp.fd(), old.st_mode & 07777) != 0)
        ThrowWriteFailed(path, errno);
    if (::fsync(temp.fd()) != 0 || temp.Close() != 0)
        ThrowWriteFailed(path, errno);
    if (::rename(temp.path().c_str(), path.c_str()) != 0)
        ThrowCannotCreate(path, errno);
    temp.MarkRenamed();
    SyncDirectory(path);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw FileError("ファイル " + PathText(path) + " が見つかりません");
    if (!std::filesystem::is_regular_file(path, error))
        throw FileError("ファイル " + PathText(path) + " は通常のファイルではありません");
    // Plain reads, so a failure half-way is reported as such: the stream library either throws
    // its own error from the middle of the read or ends it early as if the file were shorter.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowCannotRead(path, errno);
    std::string bytes;
    const int readError = ReadAll(fd, bytes);
    ::close(fd);
    if (readError != 0)
        ThrowCannotRead(path, readError);
    return bytes;
}

bool HasZemExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".zem";
}

SettingsFileRead LoadZemFile(const std::filesystem::path& path, RadioImage& image) {
    if (!HasZemExtension(path))
        throw FileError("ファイル " + PathText(path) + " は設定ファイル（.zem）ではありません");
    return ParseSettingsFile(ReadWholeFile(path), image);
}

void SaveZemFile(const std::filesystem::path& path, const RadioImage& image) {
    SaveFileAtomically(path, FormatSettingsFile(image));
}

} // namespace zem
