#pragma once

#include "radio_engine.h"
#include "sim_options.h"

#include "link/serial_port.h"

#include <memory>

namespace zem::sim {

// A serial port with the simulated radio on the other end, inside the process: the port "sim"
// of the window and the command-line tool. It keeps the termios port's behaviour (the wait ends
// when a CR has arrived or at its limit, a read goes on while the gaps between bytes stay within
// the interval, a purge drops what has arrived), on the timeline the options give the radio's
// answers. A read does not wait out the final interval when nothing more is on its way, since
// the radio only speaks when spoken to. With no engine given, a radio with the default contents.
std::unique_ptr<SerialPort> MakeInProcessPort(std::shared_ptr<RadioEngine> engine = nullptr, SimOptions options = {});

} // namespace zem::sim
