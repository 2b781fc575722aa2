#include "tcomm_thread.h"

#include "event_hand_over.h"
#include "termios_port.h"

#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/port_names.h"

#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <utility>

namespace zem {
namespace {

SerialPortFactory DefaultPortFactory() {
    return [](const std::string&) -> std::unique_ptr<SerialPort> { return std::make_unique<TermiosPort>(); };
}

} // namespace

TCommThread::TCommThread(QObject* parent) : QThread(parent), PortFactory_(DefaultPortFactory()) {
    WatchPostedEvents();
}

// Whoever discards a running link waits for it: the worker must not outlive the object it runs in.
// A sweep never looks at Running, so it is stopped too, or the wait would never end.
TCommThread::~TCommThread() {
    Running_.store(0, std::memory_order_release);
    StopScope();
    wait();
}

void TCommThread::SetStatusBar(QObject* sink) {
    StatusBar_ = sink;
}

void TCommThread::SetPort(char index) {
    if (const std::optional<PortChoice> choice = PortOfIndex(index)) {
        PortName_ = choice->name;
        PortPath_ = choice->path;
    }
}

void TCommThread::SetPortPath(const std::string& path) {
    if (const std::optional<char> index = IndexOfPortName(path)) {
        SetPort(*index);
        return;
    }
    PortName_ = path;
    PortPath_ = path;
}

void TCommThread::SetWindow(QObject* receiver) {
    Window_ = receiver;
}

void TCommThread::SetPortFactory(SerialPortFactory factory) {
    PortFactory_ = factory ? std::move(factory) : DefaultPortFactory();
}

void TCommThread::SetExchangeTimeout(std::chrono::milliseconds limit) {
    ExchangeTimeout_ = limit;
}

// Requests come from the window's thread only; the worker only ever clears the code, so the
// check and the store cannot be overtaken.
// The data goes in under the lock before the code, so the worker that sees the code finds it;
// ScopeRunning goes up before the code too, so a StopScope at any moment after this call is seen.
bool TCommThread::Request(const LinkRequest& request) {
    if (Busy())
        return false;
    {
        std::lock_guard lock(RequestMutex_);
        Requested_ = request;
    }
    if (request.op == kOpScope)
        ScopeRunning_.store(1, std::memory_order_release);
    Operation_.store(request.op, std::memory_order_release);
    return true;
}

void TCommThread::TakeRequest() {
    LinkRequest request;
    {
        std::lock_guard lock(RequestMutex_);
        request = std::exchange(Requested_, LinkRequest{});
    }
    if (request.image)
        Image_ = std::move(*request.image);
    if (request.writeOnly)
        WriteOnly_ = *request.writeOnly;
    if (request.scope)
        Scope_ = std::move(*request.scope);
    Fast_ = request.fast;
}

void TCommThread::Stop() {
    Running_.store(0, std::memory_order_release);
}

// Sequentially consistent, with the worker's taking of a code in Dispatch: each side writes one
// value and then reads the other's, and acquire/release alone would let both miss the write.
bool TCommThread::Busy() const {
    return Operation_.load() != kOpIdle || Active_.load() != kOpIdle;
}

void TCommThread::StopScope() {
    ScopeRunning_.store(0, std::memory_order_release);
    Operation_.store(kOpIdle);
}

std::string TCommThread::LastCommand() const {
    std::lock_guard lock(ExchangeMutex_);
    return LastCommand_;
}

const std::array<TCommThread::Procedure, 10> TCommThread::kProcedures{{
    {kOpModelCheck, &TCommThread::DoID, kMsgModelCheck},
    {kOpModCheck, &TCommThread::DoMod, kMsgModCheck},
    {kOpWriteMemory, &TCommThread::DoWrite, kMsgMemoryWritten},
    {kOpReadMemory, &TCommThread::DoRead, kMsgMemoryRead},
    {kOpReadVfo, &TCommThread::DoVFORead, kMsgVfoRead},
    {kOpWriteVfo, &TCommThread::DoVFOwrite, kMsgVfoWritten},
    {kOpReadSettings, &TCommThread::DoMenuRead, kMsgSettingsRead},
    {kOpWriteSettings, &TCommThread::DoMenuwrite, kMsgSettingsWritten},
    {kOpWriteChanged, &TCommThread::DoWriteChanged, kMsgChangedWritten},
    {kOpScope, &TCommThread::DoScope, kMsgScopeEnded},
}};

bool TCommThread::Dispatch(std::int32_t op) {
    for (const Procedure& p : kProcedures) {
        if (p.op != op)
            continue;
        // Busy from here on. A StopScope that came between reading the code and this point has
        // withdrawn the request; running the procedure anyway would wipe a request made after it.
        Active_.store(op);
        if (Operation_.load() == op) {
            // Each procedure starts afresh: an earlier one's silence says nothing of the radio now.
            Outcome_ = {};
            SilentExchanges_.store(0);
            Answer_.clear();
            CommaRefusals_.clear();
            Kept_.clear();
            TakeRequest();
            (this->*p.run)();
        } else {
            Active_.store(kOpIdle);
            // A sweep stopped before it began still ends like a sweep, so the window that may
            // have seen it busy gets its Start back; it heard nothing of the radio.
            if (op == kOpScope)
                Post(kMsgScopeEnded, OpenErrors_);
        }
        return true;
    }
    return false;
}

// Running is only read here, between procedures: an operation in progress always runs to its
// end and posts its completion before code 5.
void TCommThread::run() {
    OpenPort();
    Post(kMsgPortOpened, OpenErrors_);
    while (Running_.load(std::memory_order_acquire) != 0) {
        const std::int32_t op = Operation_.load(std::memory_order_acquire);
        if (op == kOpIdle || !Dispatch(op))
            QThread::msleep(1);
    }
    ClosePort();
    Post(kMsgPortClosed, OpenErrors_);
}

void TCommThread::Status(std::string_view utf8) {
    if (StatusBar_ != nullptr)
        PostToWindowThread(StatusBar_,
                           new StatusText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))));
}

void TCommThread::StatusCp932(std::string_view cp932) {
    Status(ShownCp932(cp932));
}

void TCommThread::Progress(std::size_t done, std::size_t total) {
    RowFault_.store(-1);
    if (StatusBar_ != nullptr)
        PostToWindowThread(StatusBar_, new TransferProgress(done, total));
}

long TCommThread::Transfer(std::size_t total, const std::function<long()>& move) {
    Outcome_.total = total;
    Progress(0, total);
    const long count = move();
    Outcome_.radioSilent = RadioSilent();
    return count;
}

void TCommThread::PartDone() {
    ++Outcome_.done;
    Progress(Outcome_.done, Outcome_.total);
}

bool TCommThread::Parsed(const std::function<void()>& parse) {
    try {
        parse();
        return true;
    } catch (const ConversionError& e) {
        Status(e.what());
        return false;
    }
}

bool TCommThread::RadioSilent() const {
    return SilentExchanges_.load() >= kSilentExchangeLimit;
}

// The retry's own fault, if any, is the one a part kept after it names.
void TCommThread::BeforeRetry() {
    ++Outcome_.retried;
    RowFault_.store(-1);
    std::lock_guard lock(ExchangeMutex_);
    OutOfStep_ = true;
}

// Asked again after the line has fallen quiet: a late answer, a garbled one or a line of the
// radio's own costs one more exchange instead of the part. Once the radio has fallen silent the
// parts left are not asked and stay as they were.
long TCommThread::ReadParts(std::span<const bool> chosen, const std::function<bool(std::size_t)>& read, bool nameKept) {
    long kept = 0;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (!chosen[i])
            continue;
        if (RadioSilent()) {
            ++kept;
            continue;
        }
        bool taken = read(i);
        if (!taken && !RadioSilent()) {
            BeforeRetry();
            taken = read(i);
        }
        if (!taken) {
            ++kept;
            if (nameKept)
                Kept(i);
        } else {
            ++Outcome_.moved;
        }
        PartDone();
    }
    return kept;
}

// Writing the same record twice is harmless, so a part whose write failed is sent again. When an
// answer never came the radio may have taken the write all the same; a read-back tells, and saves
// the second write when it did. Once the radio has fallen silent nothing more is sent. A part
// whose last attempt still failed is named to the front end.
long TCommThread::WriteParts(std::span<const bool> chosen, const std::function<Attempt(std::size_t)>& send,
                             const std::function<bool(std::size_t)>& took) {
    long errors = 0;
    for (std::size_t i = 0; i < chosen.size() && !RadioSilent(); ++i) {
        if (!chosen[i])
            continue;
        Attempt attempt = send(i);
        if (attempt.errors != 0 && !RadioSilent()) {
            BeforeRetry();
            if (attempt.unanswered && took(i))
                attempt = {};
            else if (!RadioSilent())
                attempt = send(i);
        }
        if (attempt.errors != 0)
            Kept(i);
        else
            ++Outcome_.moved;
        errors += attempt.errors;
        PartDone();
    }
    return errors;
}

void TCommThread::Post(int code, long value, bool unread) {
    if (Window_ != nullptr)
        PostToWindowThread(Window_, new LinkMessage(code, value, unread));
}

// The code is cleared before the message goes out, so a request made by the window's handler of
// this completion is taken, not wiped.
void TCommThread::Finish(long value, bool unread) {
    const auto op = static_cast<LinkOperation>(Active_.load());
    Operation_.store(kOpIdle, std::memory_order_release);
    Active_.store(kOpIdle, std::memory_order_release);
    const auto p = std::ranges::find(kProcedures, op, &Procedure::op);
    if (Window_ != nullptr && p != kProcedures.end())
        PostToWindowThread(Window_, new LinkMessage({.code = p->done,
                                                     .value = value,
                                                     .unread = unread,
                                                     .op = op,
                                                     .outcome = Outcome_,
                                                     .answer = std::move(Answer_),
                                                     .refusals = std::move(CommaRefusals_),
                                                     .kept = std::move(Kept_),
                                                     .image = Image_}));
}

void TCommThread::NoteFault(RowFault fault) {
    RowFault_.store(static_cast<int>(fault));
}

// A row whose exchanges all came back was kept for what they said.
void TCommThread::Kept(std::size_t row) {
    const int fault = RowFault_.load();
    Kept_.push_back({row, fault < 0 ? RowFault::Unreadable : static_cast<RowFault>(fault)});
}

void TCommThread::Abandon() {
    Abandoned_.store(true);
    Running_.store(0, std::memory_order_release);
    StopScope();
}

} // namespace zem
