#include "access_advice.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zem {
namespace {

std::string UserName(uid_t uid) {
    const passwd* entry = ::getpwuid(uid);
    return entry ? entry->pw_name : std::to_string(uid);
}

std::string GroupName(gid_t gid) {
    const group* entry = ::getgrgid(gid);
    return entry ? entry->gr_name : std::to_string(gid);
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
    const passwd* me = ::getpwuid(::getuid());
    access.user = me ? me->pw_name : std::to_string(::getuid());
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return access;
    access.mode = info.st_mode & 07777;
    access.ownerUid = info.st_uid;
    access.owner = UserName(info.st_uid);
    access.gid = info.st_gid;
    access.group = GroupName(info.st_gid);
    access.memberOfGroup = me && InGroupList(me->pw_name, me->pw_gid, info.st_gid);
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
