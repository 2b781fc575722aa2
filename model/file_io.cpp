#include "file_io.h"

#include "file_name.h"
#include "text_lines.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {
namespace {

std::string PathText(const std::filesystem::path& path) {
    return ShownText(path.native());
}

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& path, int error, std::string_view advice = {}) {
    throw FileError("ファイル " + PathText(path) + " を作成できません（" + std::strerror(error) + "）" +
                    std::string(advice));
}

// `oldKept` only when a file was there and the save has not touched it.
[[noreturn]] void ThrowWriteFailed(const std::filesystem::path& path, int error, bool oldKept) {
    throw FileError("ファイル " + PathText(path) + " に書き込めませんでした（" + std::strerror(error) + "）" +
                    (oldKept ? "。元のファイルはそのまま残っています" : ""));
}

[[noreturn]] void ThrowOwnerNotKept(const std::filesystem::path& path, int error) {
    throw FileError("ファイル " + PathText(path) + " の所有者とグループを保てないため、保存しませんでした（" +
                    std::strerror(error) + "）。元のファイルはそのまま残っています");
}

[[noreturn]] void ThrowCannotRead(const std::filesystem::path& path, int error) {
    throw FileError("ファイル " + PathText(path) + " を読み込めません（" + std::strerror(error) + "）");
}

[[noreturn]] void ThrowTooLarge(const std::filesystem::path& path, std::size_t limit) {
    throw FileError("ファイル " + PathText(path) + " は大きすぎます（" + std::to_string(limit >> 20) +
                    " MB を超えています）");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // A descriptor the program holds for others (standard output) stays open.
    void Release() { fd_ = -1; }
    void Reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closing reports the last write errors of some file systems, so it is checked: 0 or errno.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Appends everything up to the end of the file, or up to one byte past limit; 0, or the errno of
// the read that failed.
int ReadAll(int fd, std::string& bytes, std::size_t limit) {
    char buffer[1 << 16];
    while (bytes.size() <= limit) {
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
    return 0;
}

// How often a wait for a FIFO's reader, or for a device to take bytes, asks whether it is given up.
constexpr int kWaitStepMs = 50;

// 0, or the errno of the write that failed. A descriptor that does not block is waited for while
// `givenUp` says no; EINTR once it says yes.
int WriteAll(int fd, std::string_view bytes, const std::function<bool()>& givenUp = {}) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EAGAIN && givenUp) {
                if (givenUp())
                    return EINTR;
                pollfd ready{.fd = fd, .events = POLLOUT, .revents = 0};
                ::poll(&ready, 1, kWaitStepMs); // a signal ends it early, whatever SA_RESTART says
                continue;
            }
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The temporary file being written, for the handlers of the signals that end the program: they
// remove it before the program ends. One save at a time holds the name.
std::mutex saveMutex;
std::array<char, PATH_MAX> pendingTemp{};
volatile std::sig_atomic_t tempPending = 0;
constexpr std::array kEndingSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void RemoveTempAndEnd(int signal) {
    if (tempPending != 0)
        ::unlink(pendingTemp.data());
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

// While it lives, a signal that would end the program removes the temporary file first. A
// signal the program handles itself keeps its handler: the save then runs to its end.
class EndingSignalCleanup {
public:
    EndingSignalCleanup() {
        for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
            struct sigaction current {};
            ::sigaction(kEndingSignals[i], nullptr, &current);
            if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction cleanup {};
            cleanup.sa_handler = RemoveTempAndEnd;
            sigemptyset(&cleanup.sa_mask);
            installed_[i] = ::sigaction(kEndingSignals[i], &cleanup, &previous_[i]) == 0;
        }
    }
    EndingSignalCleanup(const EndingSignalCleanup&) = delete;
    EndingSignalCleanup& operator=(const EndingSignalCleanup&) = delete;
    ~EndingSignalCleanup() {
        for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
            if (installed_[i])
                ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
        }
    }

private:
    std::array<struct sigaction, kEndingSignals.size()> previous_{};
    std::array<bool, kEndingSignals.size()> installed_{};
};

// A short name beside the target, so a target whose name is as long as the system allows can
// still be saved. The file is removed unless the rename has taken it over.
class TempFile {
public:
    TempFile(const std::filesystem::path& target, const std::filesystem::path& shown) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && fd_.get() < 0; ++attempt) {
            path_ = target;
            path_.replace_filename(".zem_d7-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
            // Named for the handlers before it exists: a signal right after the create must find
            // it. A file already there under this process's number is a leftover of a process
            // long gone, and may go.
            tempPending = 0;
            std::atomic_signal_fence(std::memory_order_seq_cst);
            if (path_.native().size() < pendingTemp.size()) {
                std::memcpy(pendingTemp.data(), path_.c_str(), path_.native().size() + 1);
                std::atomic_signal_fence(std::memory_order_seq_cst);
                tempPending = 1;
            }
            fd_.Reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (fd_.get() < 0 && errno != EEXIST)
                break;
        }
        if (fd_.get() < 0) {
            const int error = errno;
            tempPending = 0;
            ThrowCannotCreate(shown, error);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!renamed_)
            ::unlink(path_.c_str());
        tempPending = 0;
    }

    Descriptor& fd() { return fd_; }
    // 0 or errno.
    int RenameOver(const std::filesystem::path& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0)
            return errno;
        renamed_ = true;
        tempPending = 0;
        return 0;
    }

    // Gives the file a name that must be free; the temporary name goes with the destructor. 0 or errno.
    int LinkAs(const std::filesystem::path& target) { return ::link(path_.c_str(), target.c_str()) == 0 ? 0 : errno; }

private:
    std::filesystem::path path_;
    Descriptor fd_{-1};
    bool renamed_ = false;
};

// The file a save writes: the end of the chain of links. Throws for a loop or an unreadable link.
std::filesystem::path EndOfLinks(const std::filesystem::path& requested) {
    constexpr int kMostLinks = 40; // as many as the system follows in one path
    std::filesystem::path path = requested;
    for (int hops = 0;; ++hops) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return path;
        if (hops == kMostLinks)
            ThrowCannotCreate(requested, ELOOP);
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error)
            ThrowCannotCreate(requested, error.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// The descriptor a name such as /dev/stdout stands for, when the program holds it open: the
// links of those names end in names such as "pipe:[1234]" that only the system can follow, and a
// regular file behind them must be written into, not replaced, or the shell's redirection would
// keep the old file.
std::optional<int> HeldDescriptor(const std::filesystem::path& path) {
    const std::string& name = path.native();
    std::optional<int> fd;
    if (name == "/dev/stdout")
        fd = STDOUT_FILENO;
    else if (name == "/dev/stderr")
        fd = STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (name.size() > folder.size() && name.starts_with(folder) &&
            name.find_first_not_of("0123456789", folder.size()) == std::string::npos && name.size() < folder.size() + 9)
            fd = std::stoi(name.substr(folder.size()));
    }
    if (fd && ::fcntl(*fd, F_GETFD) == -1)
        return std::nullopt;
    return fd;
}

// What is at the end of the links, and whether a save may go there.
struct SaveTarget {
    std::filesystem::path path;
    bool exists = false;
    struct stat status {};
    std::optional<int> held;

    bool Replaced() const { return !held && (!exists || S_ISREG(status.st_mode)); }
};

// Whether a regular file begins as a settings file does: its first line holds the header's mark.
// A file that cannot be read cannot be told, and is left to the other checks.
bool HoldsSettingsFile(const std::filesystem::path& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    std::string head;
    if (fd.get() < 0 || ReadAll(fd.get(), head, 4096) != 0)
        return false;
    std::string_view text = head;
    return TakeLine(text).find(kSettingsHeaderMark) != std::string_view::npos;
}

// Root may write any file the system lets it open; a file that grants no one the right to write
// is still refused, as the shell refuses it to everyone else.
void CheckWritable(const SaveTarget& target, const std::filesystem::path& requested) {
    constexpr std::string_view kReadOnlyAdvice =
        "。書き込みが許されていないファイルです。別の名前を指定するか、書き込みを許可してください（chmod u+w）";
    if ((target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        ThrowCannotCreate(requested, EACCES, kReadOnlyAdvice);
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        ThrowCannotCreate(requested, errno, errno == EACCES ? kReadOnlyAdvice : std::string_view{});
}

void CheckGuard(const SaveTarget& target, const std::filesystem::path& requested, const SaveGuard& guard) {
    if (!target.exists)
        return;
    for (const std::filesystem::path& input : guard.inputs) {
        if (IsSameFile(target.path, input))
            throw FileError("ファイル " + PathText(requested) + " は読み込むファイル " + PathText(input) +
                            " と同じです。別の出力ファイルを指定してください");
    }
    if (guard.onlyNew)
        ThrowCannotCreate(requested, EEXIST);
    if (guard.keepSettingsFiles && S_ISREG(target.status.st_mode) && HoldsSettingsFile(target.path))
        throw FileError("ファイル " + PathText(requested) +
                        " は設定ファイルです。上書きすると設定が失われるので、別のファイルを指定してください");
}

SaveTarget ExamineTarget(const std::filesystem::path& requested, const SaveGuard& guard) {
    SaveTarget target;
    target.path = requested;
    target.held = HeldDescriptor(requested);
    if (target.held)
        return target;
    // A FIFO or a device is opened by the name given.
    if (::stat(requested.c_str(), &target.status) == 0 && !S_ISREG(target.status.st_mode) &&
        !S_ISDIR(target.status.st_mode)) {
        target.exists = true;
        CheckGuard(target, requested, guard);
        CheckWritable(target, requested);
        return target;
    }
    target.path = EndOfLinks(requested);
    if (::stat(target.path.c_str(), &target.status) == 0)
        target.exists = true;
    else if (errno != ENOENT)
        ThrowCannotCreate(requested, errno);
    if (target.exists && S_ISDIR(target.status.st_mode))
        ThrowCannotCreate(requested, EISDIR);
    CheckGuard(target, requested, guard);
    // A read-only file is refused although the folder would allow the rename.
    if (target.exists)
        CheckWritable(target, requested);
    const std::filesystem::path dir = target.path.has_parent_path() ? target.path.parent_path() : ".";
    if (::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        ThrowCannotCreate(requested, errno);
    return target;
}

// Opens a FIFO or a device for writing, or gives the descriptor the name stands for.
int OpenThrough(const SaveTarget& target, const std::filesystem::path& shown) {
    if (target.held)
        return *target.held;
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        ThrowCannotCreate(shown, errno);
    return fd;
}

// A FIFO or a device takes the bytes as they are; there is no old content to keep.
void WriteThrough(const SaveTarget& target, const std::filesystem::path& shown, std::string_view bytes) {
    Descriptor fd(OpenThrough(target, shown));
    int error = WriteAll(fd.get(), bytes);
    if (target.held) {
        fd.Release();
        if (error == 0 && ::fsync(*target.held) != 0 && errno != EINVAL && errno != EROFS)
            error = errno;
    } else if (error == 0) {
        error = fd.Close();
    }
    if (error != 0)
        ThrowWriteFailed(shown, error, false);
}

// The replacement takes the old file's owner and group (before its mode: changing them clears the
// set-user-ID and set-group-ID bits). A file that would change hands is not replaced.
void KeepOwner(int fd, const struct stat& old, const std::filesystem::path& shown) {
    struct stat temp {};
    if (::fstat(fd, &temp) != 0)
        ThrowOwnerNotKept(shown, errno);
    if ((temp.st_uid != old.st_uid || temp.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        ThrowOwnerNotKept(shown, errno);
}

// The rename is only on the disk once the directory is; a failure here loses nothing already
// written, so it is not reported.
void SyncDirectory(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    Descriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

void Replace(const SaveTarget& target, const std::filesystem::path& shown, std::string_view bytes, bool onlyNew) {
    const std::lock_guard lock(saveMutex);
    const EndingSignalCleanup cleanup;
    TempFile temp(target.path, shown);
    if (target.exists)
        KeepOwner(temp.fd().get(), target.status, shown);
    int error = WriteAll(temp.fd().get(), bytes);
    if (error == 0 && target.exists && ::fchmod(temp.fd().get(), target.status.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(temp.fd().get()) != 0)
        error = errno;
    if (error == 0)
        error = temp.fd().Close();
    if (error != 0)
        ThrowWriteFailed(shown, error, target.exists);
    if (const int renameError = onlyNew ? temp.LinkAs(target.path) : temp.RenameOver(target.path); renameError != 0)
        ThrowCannotCreate(shown, renameError);
    SyncDirectory(target.path);
}

} // namespace

void SaveFileAtomically(const std::filesystem::path& path, std::string_view bytes, const SaveGuard& guard) {
    const SaveTarget target = ExamineTarget(path, guard);
    if (target.Replaced())
        Replace(target, path, bytes, guard.onlyNew);
    else
        WriteThrough(target, path, bytes);
}

void CheckSaveTarget(const std::filesystem::path& path, const SaveGuard& guard) {
    ExamineTarget(path, guard);
}

bool WritesThrough(const std::filesystem::path& path) {
    struct stat status {};
    return HeldDescriptor(path) ||
           (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode));
}

OutputFile::OutputFile(std::filesystem::path path, std::function<bool()> givenUp, SaveGuard guard)
    : path_(std::move(path)), givenUp_(std::move(givenUp)), guard_(std::move(guard)) {
    const SaveTarget target = ExamineTarget(path_, guard_);
    if (target.Replaced())
        return;
    if (target.held) {
        fd_ = *target.held;
        ownFd_ = false;
        return;
    }
    const bool fifo = S_ISFIFO(target.status.st_mode);
    for (;;) {
        fd_ = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0)
            return;
        // A FIFO without a reader refuses a write end that does not block: wait for the reader.
        if (!(fifo && errno == ENXIO) && errno != EINTR)
            ThrowCannotCreate(path_, errno);
        if (givenUp_ && givenUp_()) {
            gaveUp_ = true;
            return;
        }
        ::poll(nullptr, 0, kWaitStepMs);
    }
}

void OutputFile::Add(std::string_view bytes) {
    const std::size_t kept = added_.size();
    added_ += bytes;
    try {
        Save(added_);
    } catch (const FileError&) {
        added_.resize(kept);
        throw;
    }
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t limit) {
    // Plain reads, so a failure half-way is reported as such: the stream library either throws
    // its own error from the middle of the read or ends it early as if the file were shorter.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0 && errno == ENOENT)
        throw FileError("ファイル " + PathText(path) + " が見つかりません");
    if (fd.get() < 0)
        ThrowCannotRead(path, errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        ThrowCannotRead(path, errno);
    if (!S_ISREG(status.st_mode))
        throw FileError("ファイル " + PathText(path) + " は通常のファイルではありません");
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        ThrowTooLarge(path, limit);
    std::string bytes;
    if (const int readError = ReadAll(fd.get(), bytes, limit); readError != 0)
        ThrowCannotRead(path, readError);
    // A file that grew while it was read.
    if (bytes.size() > limit)
        ThrowTooLarge(path, limit);
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
    return ParseSettingsFile(ReadWholeFile(path, kZemFileLimit), image);
}

void SaveZemFile(const std::filesystem::path& path, const RadioImage& image) {
    SaveFileAtomically(path, FormatSettingsFile(image));
}

OutputFile::~OutputFile() {
    if (fd_ >= 0 && ownFd_)
        ::close(fd_);
}

void OutputFile::Save(std::string_view whole) {
    if (fd_ < 0) {
        SaveFileAtomically(path_, whole, guard_);
        return;
    }
    const std::string_view added = whole.substr(std::min(sent_, whole.size()));
    if (const int error = WriteAll(
            fd_, added, givenUp_ ? givenUp_ : [] { return false; });
        error != 0)
        ThrowWriteFailed(path_, error, false);
    sent_ = whole.size();
}

} // namespace zem
