#include "port_doctor.h"

#include "access_advice.h"
#include "open_failure.h"
#include "port_holders.h"
#include "tcomm_thread.h"
#include "termios_port.h"

#include "model/command_text.h"
#include "model/cp932.h"
#include "model/file_name.h"
#include "model/port_names.h"
#include "model/serial_devices.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace zem {
namespace {

// The next step where the system's reason is all there is to tell.
constexpr std::string_view kTryAgain = "ケーブルを抜き差しし、ポートの名前を確かめてから、もう一度試してください。";

// Noise can be long; the first bytes tell enough.
constexpr std::size_t kShownNoise = 32;

DoctorLine Ok(std::string text) {
    return {true, std::move(text)};
}

DoctorLine Ng(std::string text) {
    return {false, std::move(text)};
}

std::vector<std::string_view> LinesOf(std::string_view raw) {
    std::vector<std::string_view> lines;
    while (!raw.empty()) {
        const std::size_t end = std::min(raw.find_first_of("\r\n"), raw.size());
        if (end > 0)
            lines.push_back(raw.substr(0, end));
        raw.remove_prefix(std::min(end + 1, raw.size()));
    }
    return lines;
}

// Bytes that answer nothing are shown as bytes: a pair that happens to form a character would only
// mislead.
std::string ShownNoise(std::string_view raw) {
    std::string shown;
    for (const char c : raw.substr(0, kShownNoise)) {
        if (c >= 0x20 && c < 0x7F)
            shown += c;
        else
            AppendHexEscape(shown, static_cast<unsigned char>(c));
    }
    if (raw.size() > kShownNoise)
        shown += "…（" + std::to_string(raw.size()) + " バイト）";
    return shown;
}

std::string Seconds(std::chrono::milliseconds bound) {
    const auto ms = bound.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " 秒" : std::to_string(ms) + " ミリ秒";
}

DoctorLine IdLine(const std::string& port, const IdAnswer& answer, std::chrono::milliseconds bound) {
    using Kind = IdAnswer::Kind;
    switch (answer.kind) {
    case Kind::ThD7:
        return Ok(port + " の無線機が ID に「" + answer.shown + "」と答えました。");
    case Kind::OtherDevice:
        return Ng(port + " の機器が ID に「" + answer.shown +
                  "」と答えました。TH-D7 ではありません。TH-D7 をつないだポートを選んでください。");
    case Kind::Echo:
        return Ng(port +
                  " から、送った「ID」がそのまま返ってきただけです（エコー）。ケーブルの折り返し、ほかの無線機用に"
                  "配線されたケーブル、または無線機のパケットモードです。TH-D7 用のケーブルか確かめ、無線機の TNC "
                  "を切ってください。");
    case Kind::PacketMode:
        return Ng(port + " の無線機が ID に「?」と答えました。無線機がパケット（TNC）モードです。表示から「TNC」と"
                         "「PACKET」が消えるまで TNC キーを押してから、もう一度試してください。");
    case Kind::NotAnAnswer:
        return Ng(
            port + " に応答ではないバイトが届きました: 「" + answer.shown +
            "」。雑音か、配線や通信速度の合わないケーブルです。TH-D7 用のケーブルか、差し込みを確かめてください。");
    case Kind::Silent:
        break;
    }
    return Ng(port + " から " + Seconds(bound) +
              "待っても何も返ってきませんでした。無線機の電源、ケーブルの差し込み（両端）、ポートの選択を確かめてくだ"
              "さい。");
}

bool Stopped(const DoctorRun& run) {
    return run.stop != nullptr && run.stop->load();
}

// Check 1: the device is there and is a terminal device.
bool CheckExists(const std::string& port, const std::string& path, const DoctorRun& run) {
    const std::string named = port == path ? path : port + " は " + path + " のことです。" + path;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            run.report(Ng(named +
                          " がありません。ケーブルをつないでから、ポートの一覧で無線機のポートを選んでください（USB "
                          "ケーブルなら /dev/ttyUSB0 など）。"));
        else
            run.report(Ng(named + " を調べられません（" + std::strerror(errno) + "）。" + std::string(kTryAgain)));
        return false;
    }
    if (!S_ISCHR(info.st_mode)) {
        run.report(Ng(named + " はシリアルポートではありません。ポートの一覧で無線機のポートを選んでください。"));
        return false;
    }
    run.report(Ok(named + " があります。"));
    return true;
}

// Check 2: this user may read and write it.
bool CheckAccess(const std::string& path, const DoctorRun& run) {
    if (::access(path.c_str(), R_OK | W_OK) == 0) {
        run.report(Ok(path + " を読み書きできます。"));
        return true;
    }
    run.report(Ng(errno == EACCES || errno == EPERM
                      ? PermissionText(path)
                      : path + " を読み書きできません（" + std::strerror(errno) + "）。" + std::string(kTryAgain)));
    return false;
}

std::string HolderAdvice(const std::vector<PortHolder>& holders) {
    std::string kill;
    for (const PortHolder& h : holders) {
        if (h.pid == ::getpid())
            return "このプログラムが接続しています。切断してから診断してください。";
        if (const std::string advice = ServiceAdvice(h.name); !advice.empty())
            return advice;
        kill += " " + std::to_string(h.pid);
    }
    return "そのプログラムを終了してください（kill" + kill + "）。";
}

// The exclusive mark a program set (TIOCEXCL) stays on the device after it until the device is
// closed by everyone; it makes every later open but root's fail with EBUSY, and root can read it.
// Read-only is enough: the mark refuses every mode of open, and the probe writes nothing.
bool ExclusiveMarked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    int marked = 0;
    const bool got = ::ioctl(fd, TIOCGEXCL, &marked) == 0;
    ::close(fd);
    return got && marked != 0;
}

// Check 3: no other program has it, and no exclusive mark is left on it.
bool CheckHolders(const std::string& path, const DoctorRun& run) {
    const PortHolders found = FindPortHolders(path);
    if (!found.holders.empty()) {
        run.report(Ng(path + " は " + HoldersText(found.holders) + "が開いています。" + HolderAdvice(found.holders)));
        return false;
    }
    const std::string unseen =
        found.unseen.empty()
            ? std::string()
            : HoldersText(found.unseen) + "が動いていますが、このユーザーからは何を開いているか見えません。";
    if (ExclusiveMarked(path)) {
        run.report(
            Ng(path + " に排他フラグ（TIOCEXCL）が残っています。" +
               (unseen.empty() ? "立てたプログラムは見つかりません（他のユーザーのプログラムは sudo で診断すると見"
                                 "えます）。使っていたプログラムを終了し、USB ケーブルなら抜き差ししてください。"
                               : unseen + HolderAdvice(found.unseen))));
        return false;
    }
    run.report(Ok(path + " を開いているほかのプログラムはなく、排他フラグもありません。" + unseen));
    return true;
}

// Check 5: the answer to "ID", all of it, within the bound.
std::string AskId(SerialPort& port, std::chrono::milliseconds bound) {
    std::string raw;
    port.Purge();
    if (!port.Write("ID\r"))
        return raw;
    port.WaitForLine(bound);
    port.Read(TermiosPort::kQueueSize, TCommThread::kReadInterval, raw);
    return raw;
}

} // namespace

std::string DoctorLineText(const DoctorLine& line) {
    return (line.ok ? "ok " : "NG ") + line.text;
}

IdAnswer ClassifyIdAnswer(std::string_view raw) {
    using Kind = IdAnswer::Kind;
    if (raw.empty())
        return {Kind::Silent, {}};
    std::vector<std::string_view> lines = LinesOf(raw);
    const bool echoOnly = !lines.empty() && std::all_of(lines.begin(), lines.end(), [](auto l) { return l == "ID"; });
    if (echoOnly)
        return {Kind::Echo, {}};
    std::erase(lines, std::string_view("ID"));
    for (std::string_view line : lines) {
        if (line.rfind("ID ", 0) == 0)
            return {ContainsCp932(line, "TH-D7") ? Kind::ThD7 : Kind::OtherDevice, ShownCp932(line)};
    }
    if (lines.size() == 1 && lines.front() == "?")
        return {Kind::PacketMode, "?"};
    return {Kind::NotAnAnswer, ShownNoise(raw)};
}

bool DiagnosePort(const std::string& port, const DoctorRun& run) {
    const std::optional<char> index = IndexOfPortName(port);
    const std::string path = index ? PortOfIndex(*index)->path : port;
    std::unique_ptr<SerialPort> serial = run.ports(path);
    // A port the program makes itself has no device behind it.
    const bool device = dynamic_cast<TermiosPort*>(serial.get()) != nullptr;
    if (!device)
        run.report(Ok(path + " はプログラムの中のポートです。デバイスの確認はありません。"));
    else if (!CheckExists(port, path, run) || Stopped(run) || !CheckAccess(path, run) || Stopped(run) ||
             !CheckHolders(path, run) || Stopped(run))
        return false;

    if (!serial || serial->Open(path) != 0) {
        std::string why = OpenFailureText(serial ? serial->OpenErrno() : ENODEV, path);
        std::erase(why, '\n');
        run.report(Ng(why.empty() ? path + " を開けませんでした。" + std::string(kTryAgain) : why));
        return false;
    }
    run.report(Ok(path + " を 9600 baud 8N1 で開きました。"));
    if (Stopped(run))
        return false;
    const IdAnswer answer = ClassifyIdAnswer(AskId(*serial, run.bound));
    serial->Close();
    run.report(IdLine(path, answer, run.bound));
    return answer.kind == IdAnswer::Kind::ThD7;
}

bool RunDoctor(const std::string& port, const DoctorRun& run) {
    std::vector<std::string> ports{port};
    if (port.empty()) {
        ports.clear();
        for (const SerialDevice& d : ListSerialDevices())
            ports.push_back(d.path);
        if (ports.empty())
            run.report(Ng("シリアルポートが見つかりません。ケーブルをつないでください（USB ケーブルなら /dev/ttyUSB0 "
                          "などが現れます）。"));
    }
    for (const std::string& p : ports) {
        if (Stopped(run))
            break;
        if (DiagnosePort(p, run)) {
            run.report(Ok("TH-D7 が " + p + " で応答しました。このポートで接続できます。"));
            return true;
        }
    }
    run.report(Ng(Stopped(run)
                      ? std::string("診断を途中で止めました。もう一度診断するときは、初めからやり直してください。")
                      : "TH-D7 は応答しませんでした。NG の行の手順を試してから、もう一度診断してください。"));
    return false;
}

} // namespace zem
