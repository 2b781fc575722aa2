#include "access_advice.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace zem {
namespace {

// The system's entries through the reentrant calls: the plain getpwuid and getgrgid share one
// buffer between calls and between threads, and the link's worker may ask while the doctor's
// thread does. A group with many members needs a larger buffer than most.
template <typename Entry, typename Call> std::optional<Entry> Lookup(Call call, std::vector<char>& buffer) {
    for (std::size_t size = 16384; size <= (std::size_t{1} << 22); size *= 2) {
        buffer.resize(size);
        Entry entry{};
        Entry* found = nullptr;
        const int error = call(&entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE)
            continue;
        if (error != 0 || found == nullptr)
            return std::nullopt;
        return entry;
    }
    return std::nullopt;
}

struct Account {
    std::string name;
    gid_t gid = 0;
};

std::optional<Account> AccountOf(uid_t uid) {
    std::vector<char> buffer;
    const std::optional<passwd> entry = Lookup<passwd>(
        [uid](passwd* e, char* b, std::size_t n, passwd** found) { return ::getpwuid_r(uid, e, b, n, found); }, buffer);
    return entry ? std::optional<Account>(Account{entry->pw_name, entry->pw_gid}) : std::nullopt;
}

std::string UserName(uid_t uid) {
    const std::optional<Account> account = AccountOf(uid);
    return account ? account->name : std::to_string(uid);
}

std::string GroupName(gid_t gid) {
    std::vector<char> buffer;
    const std::optional<group> entry = Lookup<group>(
        [gid](group* e, char* b, std::size_t n, group** found) { return ::getgrgid_r(gid, e, b, n, found); }, buffer);
    return entry ? std::string(entry->gr_name) : std::to_string(gid);
}

bool InGroupList(const std::string& user, gid_t primary, gid_t wanted) {
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(user.c_str(), primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(user.c_str(), primary, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), wanted) != groups.end();
}

bool InEffect(gid_t wanted) {
    if (::getegid() == wanted)
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, wanted) != groups.begin() + got;
}

std::string DeviceName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

} // namespace

DeviceAccess AccessOf(const std::string& path) {
    DeviceAccess access;
    // The advice names the device itself, not a link to it (th-d7-sim's --link, /dev/serial/by-id).
    std::error_code ec;
    const std::filesystem::path device = std::filesystem::canonical(path, ec);
    access.path = ec ? path : device.string();
    const std::optional<Account> me = AccountOf(::getuid());
    access.user = me ? me->name : std::to_string(::getuid());
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return access;
    access.mode = info.st_mode & 07777;
    access.ownerUid = info.st_uid;
    access.owner = UserName(info.st_uid);
    access.gid = info.st_gid;
    access.group = GroupName(info.st_gid);
    access.memberOfGroup = me && InGroupList(me->name, me->gid, info.st_gid);
    access.groupInEffect = InEffect(info.st_gid);
    return access;
}

std::string AccessAdvice(const DeviceAccess& a) {
    const bool groupMay = a.gid != 0 && (a.mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (groupMay && a.memberOfGroup && !a.groupInEffect)
        return "ユーザー " + a.user + " はグループ「" + a.group +
               "」に入っていますが、このログインにはまだ効いていません。ログインし直してください（すぐ試すなら "
               "newgrp " +
               a.group + "）。";
    if (groupMay)
        return "デバイスを読み書きできるグループ「" + a.group + "」にユーザーを加え（sudo usermod -aG " + a.group +
               " " + a.user + "）、ログインし直してください。";
    const bool ownerMay = a.ownerUid != 0 && (a.mode & (S_IRUSR | S_IWUSR)) == (S_IRUSR | S_IWUSR);
    const bool pseudoTerminal = a.path.rfind("/dev/pts/", 0) == 0;
    const std::string asOwner = ownerMay ? std::string(pseudoTerminal ? "疑似端末" : "デバイス") + "の持ち主「" +
                                               a.owner + "」として実行するか、"
                                         : "";
    if (pseudoTerminal)
        return asOwner + "sudo chown " + a.user + " " + a.path +
               " を実行してください（端末を作ったプログラムが閉じるまで効きます）。";
    return asOwner + "/etc/udev/rules.d/70-th-d7.rules に次の 1 行を書いて sudo udevadm control --reload && " +
           "sudo udevadm trigger を実行してください: KERNEL==\"" + DeviceName(a.path) + "\", OWNER=\"" + a.user +
           "\", MODE=\"0600\"";
}

std::string PermissionText(const std::string& path) {
    return path + " を読み書きする権限がありません。" + AccessAdvice(AccessOf(path));
}

} // namespace zem
