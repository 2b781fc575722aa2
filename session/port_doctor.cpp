#include "port_doctor.h"

#include <QMetaObject>

namespace zem {

PortDoctor::PortDoctor(SerialPortFactory ports, QObject* parent) : QObject(parent), ports_(std::move(ports)) {}

PortDoctor::~PortDoctor() {
    Stop();
    if (thread_)
        thread_->wait();
}

bool PortDoctor::Start(const std::string& port) {
    if (thread_)
        return false;
    stop_.store(false);
    // Lines are queued to this object, so they arrive in order on its thread; a line queued after
    // the object is gone is dropped by Qt.
    const auto report = [this](const DoctorLine& l) {
        QMetaObject::invokeMethod(
            this, [this, text = QString::fromStdString(DoctorLineText(l))] { emit line(text); }, Qt::QueuedConnection);
    };
    thread_.reset(QThread::create([this, port, report] {
        const bool answered = RunDoctor(port, {.ports = ports_, .report = report, .stop = &stop_});
        QMetaObject::invokeMethod(
            this,
            [this, answered] {
                thread_->wait();
                thread_.reset();
                emit finished(answered);
            },
            Qt::QueuedConnection);
    }));
    thread_->start();
    return true;
}

void PortDoctor::Stop() {
    stop_.store(true);
}

} // namespace zem
