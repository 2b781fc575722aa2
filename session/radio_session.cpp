#include "radio_session.h"

#include "link/link_message.h"
#include "link/tcomm_thread.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/cp932.h"
#include "model/file_io.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"

#include <QDateTime>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <array>

namespace zem {

static_assert(kDefaultExchangeTimeout == TCommThread::kDefaultExchangeTimeout);
static_assert(kAnswerInterval == TCommThread::kReadInterval);

namespace {

// The operations that move a block (the link's table says which completion ends each), how the
// block is copied between an image and the link's, and what of it a read-back compares (memos live
// only in the program, so a read-back never compares them).
struct BlockOperations {
    Block block;
    const char* name;
    LinkOperation read;
    LinkOperation write;
    void (*copy)(const RadioImage& from, RadioImage& to);
    DiffScope compared;
};

constexpr std::array kBlocks{
    BlockOperations{Block::Memory, "memory", kOpReadMemory, kOpWriteMemory,
                    [](const RadioImage& f, RadioImage& t) { t.Channels = f.Channels; },
                    DiffScope{.vfos = false, .settings = false, .memo = false}},
    BlockOperations{Block::Vfo, "vfo", kOpReadVfo, kOpWriteVfo,
                    [](const RadioImage& f, RadioImage& t) { t.Vfos = f.Vfos; },
                    DiffScope{.channels = false, .settings = false}},
    BlockOperations{Block::Settings, "settings", kOpReadSettings, kOpWriteSettings,
                    [](const RadioImage& f, RadioImage& t) { t.Settings = f.Settings; },
                    DiffScope{.channels = false, .vfos = false}},
};

struct CheckOperations {
    Check check;
    LinkOperation op;
};

constexpr std::array kChecks{
    CheckOperations{Check::Model, kOpModelCheck},
    CheckOperations{Check::Modification, kOpModCheck},
};

const BlockOperations& OperationsOf(Block block) {
    return kBlocks[static_cast<std::size_t>(block)];
}

const CheckOperations& OperationsOf(Check check) {
    return kChecks[static_cast<std::size_t>(check)];
}

// The block moved by `op` as a read (or write).
const BlockOperations* BlockOf(LinkOperation op, LinkOperation BlockOperations::*kind) {
    for (const BlockOperations& b : kBlocks)
        if (b.*kind == op)
            return &b;
    return nullptr;
}

std::vector<KeptRow> KeptRows(const LinkCompletion& done) {
    std::vector<KeptRow> rows;
    rows.reserve(done.kept.size());
    for (const KeptPart& k : done.kept)
        rows.push_back({k.row, k.fault});
    return rows;
}

// Sets every part of a block of `mask`.
void SetBlock(WriteMask& mask, Block block, bool on) {
    switch (block) {
    case Block::Memory:
        mask.channels.fill(on);
        break;
    case Block::Vfo:
        mask.vfos.fill(on);
        break;
    case Block::Settings:
        mask.settings.fill(on);
        mask.dtmf.fill(on);
        break;
    }
}

// The parts of `mask` in one block.
WriteMask OnlyBlock(WriteMask mask, Block block) {
    for (const Block other : AllBlocks())
        if (other != block)
            SetBlock(mask, other, false);
    return mask;
}

bool Touches(const WriteMask& mask, Block block) {
    return OnlyBlock(mask, block).Count() != 0;
}

// What the link's write of `mask` counts in each block: a DTMF memory is two settings commands.
std::array<std::size_t, 3> LinkParts(const WriteMask& mask) {
    const auto dtmf = static_cast<std::size_t>(std::count(mask.dtmf.begin(), mask.dtmf.end(), true));
    return {OnlyBlock(mask, Block::Memory).Count(), OnlyBlock(mask, Block::Vfo).Count(),
            OnlyBlock(mask, Block::Settings).Count() + dtmf};
}

// `base` with the parts of `parts` taken from `from`.
RadioImage WithParts(RadioImage base, const RadioImage& from, const WriteMask& parts) {
    for (std::size_t row = 0; row < kChannelRows; ++row)
        if (parts.channels[row])
            base.Channels[row] = from.Channels[row];
    for (std::size_t v = 0; v < kVfoCount; ++v)
        if (parts.vfos[v])
            base.Vfos[v] = from.Vfos[v];
    for (std::size_t f = 0; f < kMenuFieldCount; ++f)
        if (parts.settings[f])
            MenuFields()[f].set(base.Settings, MenuFields()[f].get(from.Settings));
    for (std::size_t k = 0; k < kDtmfCount; ++k)
        if (parts.dtmf[k])
            base.Settings.Dtmf[k] = from.Settings.Dtmf[k];
    return base;
}

} // namespace

WriteMask AllowedParts(const BlockSources& sources, const WriteMask& edited, const std::vector<Block>& scope) {
    WriteMask allowed = edited;
    for (const Block b : AllBlocks()) {
        if (sources[static_cast<std::size_t>(b)] != BlockSource::Never)
            SetBlock(allowed, b, true);
        if (std::find(scope.begin(), scope.end(), b) == scope.end())
            SetBlock(allowed, b, false);
    }
    return allowed;
}

std::size_t PartsOf(Block block) {
    return LinkParts(WriteMask::All())[static_cast<std::size_t>(block)];
}

std::string PartName(Block block, std::size_t row) {
    switch (block) {
    case Block::Memory:
        return RowLabel(row);
    case Block::Vfo:
        return row < kVfoCount ? std::string(VfoTableFacts()[row].label) : std::to_string(row);
    case Block::Settings:
        break;
    }
    std::size_t index = 0; // a DTMF memory is two commands, its code and its name
    for (const SettingsPart& part : SettingsOrder()) {
        index += part.IsDtmf() ? 2 : 1;
        if (row < index)
            return part.IsDtmf() ? "DTMF " + std::to_string(part.dtmf) : std::string(MenuFields()[part.field].name);
    }
    return std::to_string(row);
}

const char* BlockName(Block block) {
    return OperationsOf(block).name;
}

const std::vector<Block>& AllBlocks() {
    static const std::vector<Block> blocks{Block::Memory, Block::Vfo, Block::Settings};
    return blocks;
}

void CopyBlock(Block block, const RadioImage& from, RadioImage& to) {
    OperationsOf(block).copy(from, to);
}

std::filesystem::path HistoryFolder() {
    const QByteArray set = qgetenv("ZEM_D7_HISTORY");
    if (!set.isEmpty())
        return std::filesystem::path(set.toStdString());
    return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
           "zem_d7" / "history";
}

std::vector<Block> BlocksOf(const HistoryEntry& entry) {
    std::vector<Block> blocks;
    for (const Block b : AllBlocks())
        if (entry.blocks[static_cast<std::size_t>(b)])
            blocks.push_back(b);
    return blocks;
}

RadioSession::RadioSession(SerialPortFactory ports, QObject* parent)
    : QObject(parent), ports_(WithSerialDevices(std::move(ports))) {}

// The link's own destructor stops its worker (a sweep first) and waits for it. Entries not yet
// saved are saved first.
RadioSession::~RadioSession() {
    SaveKept();
}

bool RadioSession::Connect(const PortTarget& target) {
    if (link_)
        return false;
    link_ = std::make_unique<TCommThread>();
    link_->SetStatusBar(this);
    link_->SetPortPath(target.port);
    port_ = target.port;
    link_->SetWindow(this);
    link_->SetPortFactory(ports_);
    link_->SetExchangeTimeout(target.timeout);
    fast_ = target.fast;
    linkImage_ = {}; // as a new link starts
    connected_ = false;
    stopping_ = false;
    pending_ = {};
    held_ = {};
    link_->start();
    return true;
}

void RadioSession::Disconnect() {
    if (!link_)
        return;
    stopping_ = true;
    link_->Stop();
}

// A worker that has not ended in time is left to the ending process: waiting for it would hold the
// program for as long as the port takes to close.
bool RadioSession::Abandon(std::chrono::milliseconds bound) {
    Interrupt();
    if (!link_ || link_->wait(static_cast<unsigned long>(bound.count())))
        return true;
    static_cast<void>(link_.release());
    return false;
}

void RadioSession::Interrupt() {
    if (!link_)
        return;
    stopping_ = true;
    link_->Abandon();
}

void RadioSession::SetFastTransfers(bool on) {
    fast_ = on;
}

bool RadioSession::FastTransfers() const {
    return link_ && fast_;
}

void RadioSession::KeepHistory(std::filesystem::path folder) {
    history_ = std::move(folder);
}

void RadioSession::TrustRadio(const RadioImage& image, const std::vector<Block>& blocks) {
    for (const Block b : blocks) {
        CopyBlock(b, image, radio_);
        held_[static_cast<std::size_t>(b)] = link_ != nullptr;
    }
}

LinkRequest RadioSession::BlockRequest(LinkOperation op, Block block, const RadioImage& from) const {
    RadioImage image = linkImage_;
    OperationsOf(block).copy(from, image);
    return {.op = op, .image = std::move(image)};
}

bool RadioSession::Send(LinkRequest request) {
    request.fast = fast_;
    return link_->Request(request);
}

bool RadioSession::Request(const LinkRequest& request, Pending pending) {
    if (!link_ || !connected_ || stopping_ || Busy())
        return false;
    if (!Send(request))
        return false;
    pending_ = std::move(pending);
    return true;
}

bool RadioSession::RunCheck(Check check) {
    return Request({.op = OperationsOf(check).op}, {.kind = Pending::Checking, .check = check});
}

bool RadioSession::Read(Block block, const RadioImage& keep) {
    if (!link_ || Busy())
        return false;
    return Request(BlockRequest(OperationsOf(block).read, block, keep), {.kind = Pending::Reading, .block = block});
}

// A block this connection does not know is read first, so that the history holds what the write
// replaces.
bool RadioSession::Write(Block block, const RadioImage& image, bool verify) {
    if (!link_ || Busy())
        return false;
    if (!history_ || !backup_ || Holds(block))
        return StartWrite(block, image, verify);
    if (!Request(BlockRequest(OperationsOf(block).read, block, image),
                 {.kind = Pending::BackingUp, .block = block, .written = image, .verify = verify}))
        return false;
    emit readingRadio(block);
    return true;
}

// What was written is kept before the request: once the write is asked for, the worker owns the
// link's image and a read-back writes into it. The before-write entry is saved while the worker
// writes.
bool RadioSession::StartWrite(Block block, const RadioImage& image, bool verify) {
    Pending pending{.kind = Pending::Writing, .block = block, .verify = verify};
    if (verify)
        pending.written = image;
    if (!Request(BlockRequest(OperationsOf(block).write, block, image), std::move(pending)))
        return false;
    if (Holds(block))
        Keep(HistoryKind::BeforeWrite, {block});
    return true;
}

// The write goes on after a read that kept rows, only without its entry. After a read the radio
// fell silent in nothing is written and the write ends as not begun; a read the user stopped ends
// it with the read's own counts.
void RadioSession::EndBackUp(const LinkCompletion& done) {
    const long kept = done.value;
    const TransferOutcome read = done.outcome;
    const Pending backup = std::move(pending_);
    pending_ = {};
    Hold(backup.block, kept == 0 && !read.radioSilent);
    if (stopping_) {
        Finish({.block = backup.block, .errors = kept, .outcome = read});
        return;
    }
    if (!Holds(backup.block))
        emit backupIncomplete(backup.block);
    if (!read.radioSilent && StartWrite(backup.block, backup.written, backup.verify)) {
        emit writing(backup.block);
        return;
    }
    const auto parts = static_cast<long>(PartsOf(backup.block));
    Finish({.block = backup.block,
            .errors = parts,
            .outcome = {.retried = read.retried, .radioSilent = read.radioSilent, .total = PartsOf(backup.block)}});
}

bool RadioSession::PlanChanged(const RadioImage& image, const WriteMask& allowed) {
    if (!link_ || !connected_ || stopping_ || Busy())
        return false;
    pending_ = {.kind = Pending::ReadingRadio, .allowed = allowed};
    pending_.plan.wanted = image;
    if (PlanStep())
        return true;
    pending_ = {};
    return false;
}

// Only the blocks the plan may touch are read: a block never loaded and never edited is none of
// its business.
bool RadioSession::PlanStep() {
    for (const Block b : AllBlocks()) {
        if (Holds(b) || !Touches(pending_.allowed, b))
            continue;
        pending_.block = b;
        pending_.plan.radioRead = true;
        if (!Send(BlockRequest(OperationsOf(b).read, b, pending_.plan.wanted)))
            return false;
        emit readingRadio(b);
        return true;
    }
    WritePlan& plan = pending_.plan;
    WriteMask parts = ChangedParts(radio_, plan.wanted);
    const auto meet = [](auto& out, const auto& allowed) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = out[i] && allowed[i];
    };
    meet(parts.channels, pending_.allowed.channels);
    meet(parts.vfos, pending_.allowed.vfos);
    meet(parts.settings, pending_.allowed.settings);
    meet(parts.dtmf, pending_.allowed.dtmf);
    plan.parts = parts;
    plan.items = PlanItems(radio_, plan.wanted, parts);
    EndPlan();
    return true;
}

bool RadioSession::WriteChanged(const WritePlan& plan) {
    if (!link_ || !connected_ || stopping_ || Busy() || !plan.whole)
        return false;
    for (const Block b : AllBlocks())
        if (Touches(plan.parts, b) && !Holds(b))
            return false;
    // The rest of the link's image is the radio's, so that after the read-back the touched blocks
    // are what the radio holds, parts the plan left alone included.
    const RadioImage sent = WithParts(radio_, plan.wanted, plan.parts);
    if (!Send({.op = kOpWriteChanged, .image = sent, .writeOnly = plan.parts}))
        return false;
    linkImage_ = sent;
    pending_ = {.kind = Pending::WritingChanged, .written = sent, .allowed = plan.parts};
    // The retries count the plan's reads with the write's, as the one operation the user asked for.
    pending_.changed = {
        .parts = plan.items.size(), .chosen = LinkParts(plan.parts), .outcome = {.retried = plan.outcome.retried}};
    std::vector<Block> touched;
    for (const Block b : AllBlocks())
        if (Touches(plan.parts, b))
            touched.push_back(b);
    Keep(HistoryKind::BeforeWrite, touched);
    emit writingChanged(plan.items.size());
    return true;
}

bool RadioSession::StartSweep(const SweepRange& range) {
    if (!link_ || Busy())
        return false;
    Hold(Block::Vfo, false); // a sweep tunes the radio
    return Request({.op = kOpScope,
                    .scope = ScopeRequest{.upper = ZeroPad(range.upperHz, 11),
                                          .lower = ZeroPad(range.lowerHz, 11),
                                          .step = range.step,
                                          .band = range.band}},
                   {.kind = Pending::Sweeping});
}

// A sweep the worker had not yet taken up ends here and now: no message will end it.
void RadioSession::StopSweep() {
    if (!link_)
        return;
    link_->StopScope();
    if (pending_.kind == Pending::Sweeping && !link_->Busy()) {
        pending_ = {};
        emit sweepEnded(false);
    }
}

// A key may tune a VFO or switch a setting on the radio: what the session held of those is gone.
QString RadioSession::Key(std::string_view command) {
    Hold(Block::Vfo, false);
    Hold(Block::Settings, false);
    std::string answer;
    if (link_ && connected_)
        link_->Exchange(command, answer);
    return QString::fromStdString(ShownCp932(answer));
}

// The radio's answer is the state: "BCN 0" asks for "BCN 1", anything else holding the word for
// "BCN 0"; an answer without the word (an error, or none) sends nothing more.
QString RadioSession::Toggle(std::string_view query) {
    std::string answer;
    if (!link_ || !connected_)
        return {};
    Hold(Block::Settings, false);
    link_->Exchange(query, answer);
    if (answer.find(query) != std::string::npos) {
        const bool off = answer.find(std::string(query) + " 0") != std::string::npos;
        link_->Exchange(std::string(query) + (off ? " 1" : " 0"), answer);
    }
    return QString::fromStdString(ShownCp932(answer));
}

RadioSession::RunEnd RadioSession::Run(const PortTarget& target, const std::function<void()>& whenOpen) {
    RunEnd end;
    QEventLoop loop;
    const QMetaObject::Connection onOpen = connect(this, &RadioSession::opened, this, [&](bool ok, const QString& why) {
        end.opened = ok;
        end.failure = why;
        if (ok)
            whenOpen();
    });
    const QMetaObject::Connection onClose = connect(this, &RadioSession::closed, &loop, &QEventLoop::quit);
    if (Connect(target))
        loop.exec();
    disconnect(onOpen);
    disconnect(onClose);
    return end;
}

bool RadioSession::event(QEvent* e) {
    if (e->type() == LinkMessage::Type()) {
        AppMessage(*static_cast<LinkMessage*>(e));
        return true;
    }
    if (e->type() == StatusText::Type()) {
        emit status(static_cast<StatusText*>(e)->text());
        return true;
    }
    if (e->type() == TransferProgress::Type()) {
        const auto* p = static_cast<TransferProgress*>(e);
        emit progress(p->done(), p->total());
        return true;
    }
    return QObject::event(e);
}

// Every code has its case, so a code added to the link without one here is a compiler warning;
// codes the link never posts are ignored.
void RadioSession::AppMessage(const LinkMessage& message) {
    if (!link_ || !IsLinkCode(message.code()))
        return;
    const auto code = static_cast<LinkCode>(message.code());
    const LinkCompletion& done = message.completion();
    const long value = message.value();
    // What the worker left in its copy comes back with the completion of each operation.
    if (done.image)
        linkImage_ = *done.image;
    switch (code) {
    case kMsgModelCheck:
    case kMsgModCheck:
        for (const CheckOperations& c : kChecks)
            if (c.op == done.op && pending_.kind == Pending::Checking && pending_.check == c.check)
                EndCheck(c.check, done);
        break;
    case kMsgMemoryRead:
    case kMsgVfoRead:
    case kMsgSettingsRead:
        if (const BlockOperations* b = BlockOf(done.op, &BlockOperations::read); b && pending_.block == b->block) {
            if (pending_.kind == Pending::Reading)
                EndRead(b->block, done);
            else if (pending_.kind == Pending::ReadingBack)
                EndReadBack(done);
            else if (pending_.kind == Pending::ReadingRadio)
                EndRadioRead(done);
            else if (pending_.kind == Pending::BackingUp)
                EndBackUp(done);
        }
        break;
    case kMsgMemoryWritten:
    case kMsgVfoWritten:
    case kMsgSettingsWritten:
        if (const BlockOperations* b = BlockOf(done.op, &BlockOperations::write);
            b && pending_.kind == Pending::Writing && pending_.block == b->block)
            EndWrite(b->block, done);
        break;
    case kMsgChangedWritten:
        if (pending_.kind == Pending::WritingChanged)
            EndChangedWrite(done);
        break;
    case kMsgScopeEnded:
        if (pending_.kind == Pending::Sweeping) {
            pending_ = {};
            emit sweepEnded(done.outcome.radioSilent);
        }
        break;
    case kMsgPortOpened:
        if (!connected_ && !stopping_) {
            if (value != 0) {
                Disconnect();
                emit opened(false, QString::fromStdString(link_->OpenFailure()));
            } else {
                connected_ = true;
                emit opened(true, {});
            }
        }
        break;
    case kMsgPortClosed:
        EndLink();
        break;
    case kMsgScope:
        if (value == kScopePassStart)
            emit passStarted();
        else
            emit reading(static_cast<int>(value), message.unread());
        break;
    }
}

void RadioSession::EndCheck(Check check, const LinkCompletion& done) {
    pending_ = {};
    emit checked({.check = check,
                  .answered = !done.unread,
                  .yes = done.value != 0,
                  .answer = QString::fromStdString(Cp932ToUtf8(done.answer))});
}

void RadioSession::Hold(Block block, bool known) {
    held_[static_cast<std::size_t>(block)] = known && link_;
    if (known && link_)
        CopyBlock(block, linkImage_, radio_);
}

// A read that kept nothing is what the radio holds; a settings read counts its errors (a value
// refused for its ',' among them) the same way.
void RadioSession::EndRead(Block block, const LinkCompletion& done) {
    ReadResult result{
        .block = block, .value = done.value, .image = linkImage_, .kept = KeptRows(done), .outcome = done.outcome};
    Hold(block, done.value == 0 && !result.outcome.radioSilent);
    if (Holds(block))
        Keep(HistoryKind::Read, {block});
    if (block == Block::Settings)
        result.commaRefusals = done.refusals;
    const bool cut = stopping_;
    pending_ = {};
    emit read(result);
    if (!sequence_)
        return;
    if (!cut)
        CopyBlock(block, result.image, sequence_->result.image);
    BlockEnded({.block = block, .errors = result.value, .outcome = result.outcome, .cut = cut}, false);
}

// Until a write ends whole, the radio's block is unknown; a read-back that differs makes it so again.
void RadioSession::EndWrite(Block block, const LinkCompletion& done) {
    const long errors = done.value;
    WriteResult result{.block = block, .errors = errors, .failed = KeptRows(done), .outcome = done.outcome};
    Hold(block, errors == 0 && !result.outcome.radioSilent);
    if (!pending_.verify) {
        if (Holds(block))
            Keep(HistoryKind::AfterWrite, {block});
        Finish(result);
        return;
    }
    // A stopping worker takes no further request: the write's result comes all the same.
    if (stopping_) {
        result.verify = VerifyResult{.outcome = VerifyResult::Outcome::Disconnected};
        Finish(result);
        return;
    }
    pending_.kind = Pending::ReadingBack;
    pending_.errors = errors;
    pending_.failed = result.failed;
    pending_.outcome = result.outcome;
    if (!Send({.op = OperationsOf(block).read})) {
        result.verify = VerifyResult{.outcome = VerifyResult::Outcome::Refused};
        Finish(result);
        return;
    }
    emit verifying(block, errors, result.outcome);
}

void RadioSession::EndReadBack(const LinkCompletion& done) {
    const long unread = done.value;
    const BlockOperations& ops = OperationsOf(pending_.block);
    TransferOutcome outcome = pending_.outcome;
    outcome.retried += done.outcome.retried;
    outcome.radioSilent = outcome.radioSilent || done.outcome.radioSilent;
    VerifyResult verify{.differences = DiffImages(pending_.written, linkImage_, ops.compared),
                        .unread = unread,
                        .readBack = done.outcome};
    if (!verify.differences.empty() || unread != 0)
        Hold(pending_.block, false);
    if (Holds(pending_.block))
        Keep(HistoryKind::AfterWrite, {pending_.block});
    Finish({.block = pending_.block,
            .errors = pending_.errors,
            .failed = std::move(pending_.failed),
            .verify = std::move(verify),
            .outcome = outcome});
}

// The radio's block read for a plan. A row it kept would be compared as the caller's own and
// never written, so a read that kept any makes a plan that writes nothing.
void RadioSession::EndRadioRead(const LinkCompletion& done) {
    const long kept = done.value;
    const TransferOutcome& outcome = done.outcome;
    TransferOutcome& total = pending_.plan.outcome;
    total = {.retried = total.retried + outcome.retried,
             .radioSilent = outcome.radioSilent,
             .done = outcome.done,
             .total = outcome.total,
             .moved = outcome.moved};
    Hold(pending_.block, kept == 0 && !outcome.radioSilent);
    if (Holds(pending_.block))
        Keep(HistoryKind::Read, {pending_.block});
    if (kept != 0 || outcome.radioSilent || stopping_) {
        pending_.plan.whole = false;
        pending_.plan.unread = kept;
        EndPlan();
    } else if (!PlanStep()) {
        pending_.plan.whole = false;
        EndPlan();
    }
}

void RadioSession::EndPlan() {
    const WritePlan plan = std::move(pending_.plan);
    pending_ = {};
    emit planned(plan);
}

// The parts written were read back into the link's image; with no error that is the radio's.
// The rows a write of the changes kept are not named: the link counts its parts per kind
// (channel row, VFO, settings command), so one index would name rows of different blocks alike.
void RadioSession::EndChangedWrite(const LinkCompletion& done) {
    const long errors = done.value;
    ChangedWriteResult result = pending_.changed;
    result.errors = errors;
    result.outcome = done.outcome;
    result.outcome.retried += pending_.changed.outcome.retried;
    result.written = result.outcome.written;
    result.differences = DiffImages(pending_.written, linkImage_, DiffScope{.memo = false});
    std::vector<Block> touched;
    for (const Block b : AllBlocks())
        if (Touches(pending_.allowed, b)) {
            Hold(b, errors == 0 && !result.outcome.radioSilent);
            touched.push_back(b);
        }
    if (errors == 0 && !result.outcome.radioSilent)
        Keep(HistoryKind::AfterWrite, touched);
    pending_ = {};
    emit changedWritten(result);
}

// The entry holds start-up values outside `blocks`, and says so in its description. It is saved
// once the handler under way has returned: by then the next transfer has been handed to the worker,
// so the disk never holds one up.
void RadioSession::Keep(HistoryKind kind, const std::vector<Block>& blocks) {
    if (!history_ || blocks.empty())
        return;
    HistoryEntry entry{.time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString(),
                       .kind = kind,
                       .port = port_,
                       .version = ZEM_VERSION};
    RadioImage image = StartupImage();
    for (const Block b : blocks) {
        entry.blocks[static_cast<std::size_t>(b)] = true;
        CopyBlock(b, radio_, image);
    }
    unsaved_.push_back({std::move(entry), image});
    if (unsaved_.size() == 1)
        QTimer::singleShot(0, this, &RadioSession::SaveKept);
}

void RadioSession::SaveKept() {
    if (unsaved_.empty())
        return;
    try {
        for (const UnsavedEntry& kept : unsaved_)
            SaveHistoryEntry(*history_, kept.entry, kept.image);
        PruneHistory(*history_);
    } catch (const FileError& e) {
        if (!historyFailed_)
            emit historyFailed(QString::fromUtf8(e.what()));
        historyFailed_ = true;
    }
    unsaved_.clear();
}

void RadioSession::Finish(WriteResult result) {
    const bool cut = stopping_;
    pending_ = {};
    emit written(result);
    if (!sequence_)
        return;
    BlockSummary summary{.block = result.block, .errors = result.errors, .outcome = result.outcome, .cut = cut};
    const bool compared = result.verify && result.verify->outcome == VerifyResult::Outcome::Compared;
    if (compared) {
        summary.errors += result.verify->unread;
        summary.readBack = result.verify->readBack;
        std::vector<RowDifference>& differences = sequence_->result.differences;
        differences.insert(differences.end(), result.verify->differences.begin(), result.verify->differences.end());
    }
    BlockEnded(std::move(summary), result.verify && !compared);
}

bool RadioSession::ReadBlocks(const std::vector<Block>& blocks, const RadioImage& keep) {
    return StartSequence({.blocks = blocks, .result = {.image = keep}});
}

bool RadioSession::WriteBlocks(const std::vector<Block>& blocks, const RadioImage& image, bool verify) {
    return StartSequence({.blocks = blocks, .write = true, .verify = verify, .result = {.image = image}});
}

bool RadioSession::StartSequence(Sequence sequence) {
    if (!link_ || !connected_ || stopping_ || Busy() || sequence_)
        return false;
    sequence_ = std::move(sequence);
    NextBlock();
    return true;
}

// A stop between two blocks ends the transfer before the next; the last block's own stop was
// seen in BlockEnded.
void RadioSession::NextBlock() {
    const Sequence& sequence = *sequence_;
    const std::size_t next = sequence.result.blocks.size();
    if (next == sequence.blocks.size())
        return EndSequence(TransferResult::End::Whole);
    if (stopping_)
        return EndSequence(TransferResult::End::Stopped);
    const Block block = sequence.blocks[next];
    emit transferring(block);
    const RadioImage& image = sequence.result.image;
    if (!(sequence.write ? Write(block, image, sequence.verify) : Read(block, image)))
        EndSequence(stopping_ ? TransferResult::End::Stopped : TransferResult::End::Refused);
}

// A block the stop cut, a refused read-back or a block the radio fell silent in ends the transfer.
// `refused`: the read-back was not made although the link was not stopping.
void RadioSession::BlockEnded(BlockSummary summary, bool refused) {
    const bool cut = summary.cut;
    const bool silent = summary.outcome.radioSilent;
    sequence_->result.blocks.push_back(std::move(summary));
    if (cut)
        EndSequence(TransferResult::End::Stopped);
    else if (refused)
        EndSequence(TransferResult::End::Refused);
    else if (silent)
        EndSequence(TransferResult::End::RadioSilent);
    else
        NextBlock();
}

void RadioSession::EndSequence(TransferResult::End end) {
    TransferResult result = std::move(sequence_->result);
    sequence_.reset();
    result.end = end;
    emit transferred(result);
}

// A read-back the stopping worker never took still gives the write's result.
void RadioSession::EndLink() {
    if (pending_.kind == Pending::ReadingBack)
        Finish({.block = pending_.block,
                .errors = pending_.errors,
                .failed = std::move(pending_.failed),
                .verify = VerifyResult{.outcome = VerifyResult::Outcome::Disconnected},
                .outcome = pending_.outcome});
    link_->wait();
    link_.reset();
    SaveKept();
    held_ = {};
    connected_ = false;
    stopping_ = false;
    pending_ = {};
    if (sequence_)
        EndSequence(TransferResult::End::Stopped);
    emit closed();
}

} // namespace zem
