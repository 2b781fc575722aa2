#include "open_failure.h"

#include "access_advice.h"
#include "port_holders.h"

#include <cerrno>
#include <cstring>

namespace zem {
namespace {

std::string Advice(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return path + " がありません。ケーブルをつないでから、ポートメニューで無線機のポートを選んでください。";
    case EACCES:
    case EPERM:
        return PermissionText(path);
    case EWOULDBLOCK:
    case EBUSY: {
        const std::string holders = HoldersText(FindPortHolders(path).holders);
        return path + " は" + (holders.empty() ? std::string("他のプログラム") : " " + holders) +
               "が使っています。そのプログラムを終了してから接続してください。";
    }
    case ENOTTY:
        return path + " はシリアルポートではありません。ポートメニューで無線機のポートを選んでください。";
    default:
        return path + " を開けませんでした。ケーブルを抜き差しして、もう一度試してください。";
    }
}

} // namespace

std::string OpenFailureText(int error, const std::string& path) {
    if (error == 0)
        return {};
    return Advice(error, path) + "\n（" + std::strerror(error) + "）";
}

} // namespace zem
