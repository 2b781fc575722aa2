#pragma once

#include "session/ports.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zem {

// The port doctor for the front ends: runs the link's checks (RunDoctor) on a thread of its own,
// so neither the window nor the tool's signal handling waits on the port, and hands each line to
// the thread that made this object, in order, soon after it is made.
class PortDoctor : public QObject {
    Q_OBJECT
public:
    explicit PortDoctor(SerialPortFactory ports, QObject* parent = nullptr);
    // Stops after the check under way and waits for it (at most about one answer's bound).
    ~PortDoctor() override;

    // `port`: a device path, com1..com4 or a name the factory knows; empty: every serial device
    // present. Refused (false) while a run is under way.
    bool Start(const std::string& port);
    // Ends the run after the check under way; its verdict follows.
    void Stop();
    bool Running() const { return thread_ != nullptr; }

signals:
    // "ok …" or "NG …"; the last one of a run is the verdict.
    void line(const QString& text);
    void finished(bool thD7Answered);

private:
    // On this object's thread: the lines the run has made since, then its end.
    void Collect();

    SerialPortFactory ports_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> stop_{false};
    QTimer collector_;
    std::mutex mutex_; // guards the two below, which the run fills
    std::vector<QString> lines_;
    std::optional<bool> outcome_; // set when the run has ended: whether the TH-D7 answered
};

} // namespace zem
