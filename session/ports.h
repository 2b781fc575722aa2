#pragma once

// The ports a session connects to, as the front ends offer them: the four COM names and the serial
// devices present on the machine.
#include "model/port_names.h"
#include "session/serial_devices.h"
