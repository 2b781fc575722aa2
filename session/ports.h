#pragma once

// The ports a session connects to, as the front ends offer them: the four COM names and the serial
// devices present on the machine. The link keeps these lists; the front ends reach them here.
#include "link/port_names.h"
#include "link/serial_devices.h"
