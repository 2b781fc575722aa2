#pragma once

// The ports a session connects to, as the front ends offer them: the four COM names and the serial
// devices present on the machine, and the ports a front end makes of its own.
#include "model/port_names.h"
#include "model/serial_devices.h"

#include <functional>
#include <memory>
#include <string>

namespace zem {

class SerialPort;

// Makes the port for a name of the front end's own ("sim"), or nothing for any other name, which
// is then a serial device.
using SerialPortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& name)>;

// The front end's own port names first; every other name is a serial device.
SerialPortFactory WithSerialDevices(SerialPortFactory own);

} // namespace zem
