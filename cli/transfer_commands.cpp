#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "link_session.h"
#include "options.h"

#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/file_io.h"
#include "model/startup_image.h"

#include <QDateTime>
#include <QLocale>

#include <array>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <unistd.h>

namespace cli {
namespace {

// One block of the radio image and the operations that move it, as the window's menu runs them:
// the window copies its table into the link before the request and, after a read, copies the
// link's table back in the completion handler.
struct Block {
    const char* name;
    bool (zem::TCommThread::*read)();
    int readDone;
    bool (zem::TCommThread::*write)();
    int writeDone;
    void (*copy)(const zem::RadioImage& from, zem::RadioImage& to);
};

const std::array kBlocks{
    Block{"memory", &zem::TCommThread::ReqRead, zem::kMsgMemoryRead, &zem::TCommThread::ReqWrite,
          zem::kMsgMemoryWritten, [](const zem::RadioImage& f, zem::RadioImage& t) { t.Channels = f.Channels; }},
    Block{"vfo", &zem::TCommThread::ReqVFORead, zem::kMsgVfoRead, &zem::TCommThread::ReqVFOwrite, zem::kMsgVfoWritten,
          [](const zem::RadioImage& f, zem::RadioImage& t) { t.Vfos = f.Vfos; }},
    Block{"settings", &zem::TCommThread::ReqMenuRead, zem::kMsgSettingsRead, &zem::TCommThread::ReqMenuwrite,
          zem::kMsgSettingsWritten, [](const zem::RadioImage& f, zem::RadioImage& t) { t.Settings = f.Settings; }},
};

// The radio and what to move: --port, --timeout, --fast and --only.
struct TransferOptions {
    LinkTarget target;
    QStringList names;
    std::vector<const Block*> blocks; // the blocks --only names, always in table order
};

// False after printing the one error line.
bool ReadTransferOptions(const QCommandLineParser& parser, const QString& command, TransferOptions& options) {
    if (!ReadLinkOptions(parser, command, options.target) || !ReadOnlyOption(parser, command, options.names))
        return false;
    for (const Block& b : kBlocks) {
        if (options.names.contains(QLatin1String(b.name)))
            options.blocks.push_back(&b);
    }
    return true;
}

// Progress on standard error: a bar redrawn in place on a terminal, one line per block otherwise.
class ProgressReport {
public:
    ProgressReport() : terminal_(isatty(STDERR_FILENO) != 0) {}

    void Start(std::string block) { block_ = std::move(block); }
    void Update(std::size_t done, std::size_t total) {
        total_ = total;
        if (!terminal_ || total == 0)
            return;
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = done * kWidth / total;
        std::fprintf(stderr, "\r%-8s %3zu/%zu [%s%s]", block_.c_str(), done, total, std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, '-').c_str());
        std::fflush(stderr);
    }
    void Finish(long errors) {
        if (terminal_)
            std::fputc('\n', stderr);
        Error(QStringLiteral("%1: %2 done, %3 errors").arg(QString::fromStdString(block_)).arg(total_).arg(errors));
    }

private:
    bool terminal_;
    std::string block_;
    std::size_t total_ = 0;
};

enum class Direction { Read, Write };

struct Step {
    const Block* block;
    Direction direction;
};

// Each block in each of the directions, block after block: a write checked by a read-back reads
// each block right after writing it.
std::vector<Step> Steps(const std::vector<const Block*>& blocks, std::initializer_list<Direction> directions) {
    std::vector<Step> steps;
    for (const Block* b : blocks) {
        for (const Direction d : directions)
            steps.push_back({b, d});
    }
    return steps;
}

// Runs the steps one after the other on one connection; `image` is the window's copy. Returns the
// exit status.
int Transfer(const LinkTarget& target, const std::vector<Step>& steps, zem::RadioImage& image) {
    LinkSession session(target);
    ProgressReport progress;
    session.onProgress = [&progress](std::size_t done, std::size_t total) { progress.Update(done, total); };
    std::size_t current = 0;
    long errors = 0;
    const auto request = [&](zem::TCommThread& link) {
        const Step& step = steps[current];
        const bool readBack =
            step.direction == Direction::Read && current > 0 && steps[current - 1].block == step.block;
        progress.Start(std::string(step.block->name) + (readBack ? " read-back" : ""));
        step.block->copy(image, link.Image);
        return (link.*(step.direction == Direction::Read ? step.block->read : step.block->write))();
    };
    const auto isDone = [&](zem::TCommThread& link, const zem::LinkMessage& message) {
        const int code = message.code();
        const long value = message.value();
        const Step& step = steps[current];
        if (code != (step.direction == Direction::Read ? step.block->readDone : step.block->writeDone))
            return false;
        if (step.direction == Direction::Read)
            step.block->copy(link.Image, image);
        progress.Finish(value);
        if (code == zem::kMsgSettingsRead) {
            for (const std::string& refusal : link.CommaRefusals())
                Error(QStringLiteral("zem_d7-cli: settings: %1").arg(QString::fromStdString(refusal)));
        }
        errors += value;
        if (++current == steps.size())
            return true;
        if (!request(link)) {
            Error(QStringLiteral("zem_d7-cli: the link refused the next transfer"));
            return true;
        }
        return false;
    };
    const SessionResult result = session.Run(request, isDone);
    if (result.openErrors != 0) {
        Error(QStringLiteral("ポートが開けませんでした。"));
        return kPortError;
    }
    if (current != steps.size())
        return kRadioErrors;
    if (errors != 0) {
        Error(QStringLiteral("エラー数：%1").arg(errors));
        return kRadioErrors;
    }
    return kOk;
}

} // namespace

int RunRead(const QString& command, const QCommandLineParser& parser) {
    TransferOptions options;
    const QString out = parser.value(kOutputOption);
    if (!ReadTransferOptions(parser, command, options) || !CheckOutputName(command, out) ||
        !CheckOutputWritable(command, out))
        return kBadInput;
    zem::RadioImage image;
    if (!LoadBase(parser, command, image))
        return kBadInput;
    const int result = Transfer(options.target, Steps(options.blocks, {Direction::Read}), image);
    if (result == kPortError)
        return result;
    if (!SaveImage(command, out, image))
        return kBadInput;
    return result;
}

int RunWrite(const QString& command, const QCommandLineParser& parser) {
    TransferOptions options;
    if (!ReadTransferOptions(parser, command, options))
        return kBadInput;
    const std::optional<QString> file = OneFile(parser, command, QStringLiteral("settings file"));
    if (!file)
        return kBadInput;
    zem::RadioImage image = zem::StartupImage();
    if (!LoadZemArgument(command, *file, image))
        return kBadInput;
    if (!parser.isSet(kVerifyOption))
        return Transfer(options.target, Steps(options.blocks, {Direction::Write}), image);
    // Read back into a copy of what was written, so that what the radio does not hold (the memos)
    // stays equal and only the radio's answers can differ.
    zem::RadioImage readBack = image;
    const int result = Transfer(options.target, Steps(options.blocks, {Direction::Write, Direction::Read}), readBack);
    if (result == kPortError)
        return result;
    const std::vector<zem::RowDifference> differences = zem::DiffImages(image, readBack, ScopeOf(options.names, false));
    Out(DifferenceLines(differences));
    if (differences.empty())
        return result;
    Error(QStringLiteral("zem_d7-cli write: %1 か所が書き込んだ内容と異なります").arg(differences.size()));
    return kRadioErrors;
}

namespace {

// A sweep as the scope page sets it up: edges in Hz, the step code, the band character.
struct ScopeRange {
    std::string lower;
    std::string upper;
    char step = '5';
    char band = '0';
};

bool ReadScopeRange(const QCommandLineParser& parser, ScopeRange& range) {
    const std::string lower = parser.value(kLowerOption).toStdString();
    const std::string upper = parser.value(kUpperOption).toStdString();
    const QString step = parser.value(kStepOption);
    // ASCII only: a full-width '５' is a digit to Unicode but names no step, and a step without a
    // size would divide the sweep's count by zero.
    if (step.size() != 1 || step.front() < QLatin1Char('0') || step.front() > QLatin1Char('9')) {
        Error(QStringLiteral("zem_d7-cli scope: --step takes a step code 0 to 9 (5 is 20 kHz)"));
        return false;
    }
    range.step = static_cast<char>(step.front().toLatin1());
    try {
        range.lower = zem::MhzToFreqDigits(lower);
        range.upper = zem::MhzToFreqDigits(upper);
        if (zem::ReadInteger(range.upper) < zem::ReadInteger(range.lower)) {
            Error(QStringLiteral("zem_d7-cli scope: 下限が上限を超えています"));
            return false;
        }
        const int band = zem::BandOfSpan(range.upper, range.lower);
        if (band < 0) {
            Error(QStringLiteral("zem_d7-cli scope: 周波数範囲が不正です。"));
            return false;
        }
        range.band = band < 2 ? '0' : '1';
        return true;
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
}

// --store writes a text file: it may replace an earlier storage file, never a settings file, and
// one that cannot be written is refused before the sweep. False after the one error line.
bool CheckStoreFile(const QCommandLineParser& parser, const QString& command) {
    if (!parser.isSet(kStoreOption))
        return true;
    const QString store = parser.value(kStoreOption);
    std::error_code error;
    if (zem::HasZemExtension(LocalPath(store)) && std::filesystem::exists(LocalPath(store), error)) {
        Error(QStringLiteral("zem_d7-cli %1: %2 is a settings file; --store would replace it with readings")
                  .arg(command, store));
        return false;
    }
    return CheckOutputWritable(command, store);
}

// The storage line of a pass: local date and time, ':', the digits, CR LF, in CP932.
std::string StorageLine(const std::string& digits) {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QString stamp = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          locale.toString(now.time(), QLocale::LongFormat);
    return zem::Utf8ToCp932(stamp.toStdString()).value_or(now.toString(Qt::ISODate).toStdString()) + ":" + digits +
           "\r\n";
}

} // namespace

int RunScope(const QString& command, const QCommandLineParser& parser) {
    LinkTarget target;
    ScopeRange range;
    if (!ReadLinkOptions(parser, command, target) || !ReadScopeRange(parser, range) || !CheckStoreFile(parser, command))
        return kBadInput;
    bool ok = false;
    const int passes = parser.value(kPassesOption).toInt(&ok);
    if (!ok || passes < 1) {
        Error(QStringLiteral("zem_d7-cli scope: --passes takes a number of passes, 1 or more"));
        return kBadInput;
    }

    std::string stored;
    std::string pass;
    int done = -1;   // the first marker starts the first pass
    long unread = 0; // steps of the printed passes whose S-meter could not be read
    long unreadInPass = 0;
    LinkSession session(target);
    const auto request = [&](zem::TCommThread& link) {
        link.ScopeLower = range.lower;
        link.ScopeUpper = range.upper;
        link.ScopeStep = range.step;
        link.ScopeBand = range.band;
        link.ScopeCount = static_cast<std::int32_t>((zem::ReadInteger(range.upper) - zem::ReadInteger(range.lower)) /
                                                    zem::StepHz(range.step)) -
                          1;
        return link.ReqScope();
    };
    const auto isDone = [&](zem::TCommThread& link, const zem::LinkMessage& message) {
        if (message.code() != zem::kMsgScope)
            return message.code() == zem::kMsgPortOpened; // the sweep has ended
        if (message.value() != zem::kScopePassStart) {
            pass += static_cast<char>('0' + message.value());
            unreadInPass += message.unread() ? 1 : 0;
            return false;
        }
        if (done >= 0) {
            Out(pass + "\n");
            stored += StorageLine(pass);
            unread += unreadInPass;
        }
        pass.clear();
        unreadInPass = 0;
        if (++done == passes)
            link.StopScope();
        return false;
    };
    const SessionResult result = session.Run(request, isDone);
    if (result.openErrors != 0) {
        Error(QStringLiteral("ポートが開けませんでした。"));
        return kPortError;
    }
    if (parser.isSet(kStoreOption)) {
        try {
            zem::SaveFileAtomically(LocalPath(parser.value(kStoreOption)), stored);
        } catch (const zem::FileError& e) {
            Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
            return kBadInput;
        }
    }
    if (unread != 0) {
        Error(QStringLiteral("zem_d7-cli scope: %1 か所で S メーターを読めませんでした（0 として記録）。").arg(unread));
        return kRadioErrors;
    }
    return kOk;
}

} // namespace cli
