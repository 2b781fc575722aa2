#include "open_failure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace zem {
namespace {

// The group that owns the device, which a user must belong to; empty when it cannot be told.
std::string OwningGroup(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner ? owner->gr_name : std::to_string(info.st_gid);
}

std::string Advice(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return path + " がありません。ケーブルをつないでから、ポートメニューで無線機のポートを選んでください。";
    case EACCES:
    case EPERM: {
        const std::string group = OwningGroup(path);
        return path + " を開く権限がありません。" +
               (group.empty() ? std::string("デバイスの所有グループ") : "デバイスを所有するグループ「" + group + "」") +
               "にユーザーを加え（例: sudo usermod -aG " + (group.empty() ? std::string("dialout") : group) +
               " $USER）、ログインし直してください。";
    }
    case EWOULDBLOCK:
    case EBUSY:
        return path + " は他のプログラムが使っています。そのプログラムを終了してから接続してください。";
    case ENOTTY:
        return path + " はシリアルポートではありません。ポートメニューで無線機のポートを選んでください。";
    default:
        return path + " を開けませんでした。";
    }
}

} // namespace

std::string OpenFailureText(int error, const std::string& path) {
    if (error == 0)
        return {};
    return Advice(error, path) + "\n（" + std::strerror(error) + "）";
}

} // namespace zem
