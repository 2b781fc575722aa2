#include "port_doctor.h"

#include "link/port_doctor.h"

namespace zem {
namespace {

// Often enough that the lines seem to come as the checks end; each check takes a few ms at least,
// the answer to "ID" up to a second.
constexpr std::chrono::milliseconds kCollectEvery{20};

} // namespace

// The run hands its lines over under a lock this object takes, not by posting events: Qt's own
// queue of posted events is ordered by a lock the thread sanitizer cannot see, so a posting thread
// would leave nothing it can see between the two threads.
PortDoctor::PortDoctor(SerialPortFactory ports, QObject* parent)
    : QObject(parent), ports_(WithSerialDevices(std::move(ports))) {
    collector_.setInterval(kCollectEvery);
    connect(&collector_, &QTimer::timeout, this, &PortDoctor::Collect);
}

PortDoctor::~PortDoctor() {
    Stop();
    if (thread_)
        thread_->wait();
}

bool PortDoctor::Start(const std::string& port) {
    if (thread_)
        return false;
    stop_.store(false);
    thread_.reset(QThread::create([this, port] {
        const auto report = [this](const DoctorLine& l) {
            const std::lock_guard lock(mutex_);
            lines_.push_back(QString::fromStdString(DoctorLineText(l)));
        };
        const bool answered = RunDoctor(port, {.ports = ports_, .report = report, .stop = &stop_});
        const std::lock_guard lock(mutex_);
        outcome_ = answered;
    }));
    thread_->start();
    collector_.start();
    return true;
}

void PortDoctor::Stop() {
    stop_.store(true);
}

void PortDoctor::Collect() {
    std::vector<QString> lines;
    std::optional<bool> outcome;
    {
        const std::lock_guard lock(mutex_);
        lines.swap(lines_);
        outcome.swap(outcome_);
    }
    for (const QString& text : lines)
        emit line(text);
    if (!outcome)
        return;
    collector_.stop();
    thread_->wait();
    thread_.reset();
    emit finished(*outcome);
}

} // namespace zem
