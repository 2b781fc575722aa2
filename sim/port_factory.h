#pragma once

#include "link/serial_port.h"

#include <string_view>

namespace zem::sim {

// The port name the front ends give the simulated radio inside the process.
inline constexpr std::string_view kSimulatorPort = "sim";

// The front ends' own ports: kSimulatorPort gives a simulated radio with the default contents;
// any other name nothing, so that the session opens it as a serial device.
SerialPortFactory PortFactoryWithSimulator();

} // namespace zem::sim
