#pragma once

#include "link_only.h"
#include "serial_port.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace zem {

// One line of the port doctor's report: a check that passed, or one that failed with the next step
// to take, in Japanese (UTF-8).
struct DoctorLine {
    bool ok = false;
    std::string text;
};
// "ok TEXT" or "NG TEXT", as both front ends show a line.
std::string DoctorLineText(const DoctorLine& line);

// What came back for "ID".
struct IdAnswer {
    enum class Kind {
        ThD7,        // "ID TH-D7"
        OtherDevice, // an "ID" answer naming something else
        Echo,        // only "ID" itself: the line sends back what it is given
        PacketMode,  // "?": the radio's TNC has the line
        NotAnAnswer, // bytes that answer nothing
        Silent,      // not one byte within the bound
    };
    Kind kind = Kind::Silent;
    std::string shown; // the answer line, or the bytes, escaped for a message
};
IdAnswer ClassifyIdAnswer(std::string_view raw);

// The checks on one port, in order, each reported as it ends; the first that fails ends the run.
// `port` is a device path, com1..com4, or a name the factory gives a port of its own ("sim"),
// which has no device to check. Only "ID" is ever sent. True when the TH-D7 answered.
using DoctorReport = std::function<void(const DoctorLine&)>;
struct DoctorRun {
    SerialPortFactory ports;
    DoctorReport report;
    const std::atomic<bool>* stop = nullptr; // checked between checks and between ports
    std::chrono::milliseconds bound{1000};   // the longest wait for the answer to "ID"
};
bool DiagnosePort(const std::string& port, const DoctorRun& run);

// The doctor as the front ends run it: `port`, or with an empty `port` every serial device present
// until one holds the TH-D7, then the verdict line. True when the TH-D7 answered.
bool RunDoctor(const std::string& port, const DoctorRun& run);

} // namespace zem
