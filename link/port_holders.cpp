#include "port_holders.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <optional>
#include <system_error>

namespace zem {
namespace {

namespace fs = std::filesystem;

// The first major number of the UNIX 98 pseudo-terminal slaves; eight majors of 256 follow.
constexpr unsigned kPtySlaveMajor = 136;
constexpr unsigned kPtySlaveMajors = 8;

std::optional<pid_t> PidOf(const fs::path& entry) {
    const std::string name = entry.filename().string();
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size())
        return std::nullopt;
    return pid;
}

std::string ProcessName(const fs::path& process) {
    std::ifstream in(process / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// The pseudo-terminal a master descriptor belongs to, from its fdinfo; -1 for anything else.
long MasterIndex(const fs::path& process, const std::string& fd) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(process / "fd" / fd, ec);
    if (ec || target.filename() != "ptmx")
        return -1;
    std::ifstream in(process / "fdinfo" / fd);
    for (std::string line; std::getline(in, line);) {
        constexpr std::string_view kKey = "tty-index:";
        if (line.rfind(kKey, 0) != 0)
            continue;
        const std::size_t digits = line.find_first_not_of(" \t", kKey.size());
        long index = -1;
        if (digits != std::string::npos)
            std::from_chars(line.data() + digits, line.data() + line.size(), index);
        return index;
    }
    return -1;
}

} // namespace

PortHolders FindPortHolders(const std::string& device, const fs::path& proc) {
    PortHolders found;
    struct stat wanted {};
    if (::stat(device.c_str(), &wanted) != 0 || !S_ISCHR(wanted.st_mode))
        return found;
    const unsigned major = ::major(wanted.st_rdev);
    // The pseudo-terminal's number, -1 for any other device.
    const long ptyIndex = major >= kPtySlaveMajor && major < kPtySlaveMajor + kPtySlaveMajors
                              ? static_cast<long>((major - kPtySlaveMajor) * 256 + ::minor(wanted.st_rdev))
                              : -1;

    // Processes come and go while they are listed: every step takes its error instead of throwing,
    // and a process gone meanwhile is passed over.
    std::error_code ec;
    for (fs::directory_iterator entry(proc, ec), end; !ec && entry != end; entry.increment(ec)) {
        const std::optional<pid_t> pid = PidOf(entry->path());
        if (!pid)
            continue;
        std::error_code fdError;
        fs::directory_iterator fd(entry->path() / "fd", fdError);
        if (fdError) {
            const std::string name = ProcessName(entry->path());
            if (!ServiceAdvice(name).empty())
                found.unseen.push_back({*pid, name});
            continue;
        }
        bool holds = false;
        bool farEnd = false;
        for (; !fdError && fd != end; fd.increment(fdError)) {
            struct stat info {};
            if (::stat(fd->path().c_str(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == wanted.st_rdev)
                holds = true;
            else if (ptyIndex >= 0 && MasterIndex(entry->path(), fd->path().filename().string()) == ptyIndex)
                farEnd = true;
        }
        if (holds && !farEnd)
            found.holders.push_back({*pid, ProcessName(entry->path())});
    }
    return found;
}

std::string HoldersText(const std::vector<PortHolder>& holders) {
    std::string text;
    for (const PortHolder& h : holders)
        text += (text.empty() ? "" : "、") + h.name + "（PID " + std::to_string(h.pid) + "）";
    return text;
}

std::string ServiceAdvice(const std::string& processName) {
    if (processName == "ModemManager")
        return "ModemManager は新しいシリアル機器をモデムとして調べます。sudo systemctl stop ModemManager "
               "で止めてください"
               "（いつも止めるなら sudo systemctl disable --now ModemManager）。";
    if (processName == "brltty")
        return "brltty は点字端末を探して USB シリアル機器を使います。sudo systemctl stop brltty で止めてください"
               "（点字端末を使わないなら sudo apt remove brltty）。";
    return {};
}

} // namespace zem
