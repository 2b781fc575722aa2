#include "ports.h"

#include "link/termios_port.h"

namespace zem {

SerialPortFactory WithSerialDevices(SerialPortFactory own) {
    return [own = std::move(own)](const std::string& name) -> std::unique_ptr<SerialPort> {
        if (own)
            if (std::unique_ptr<SerialPort> port = own(name))
                return port;
        return std::make_unique<TermiosPort>();
    };
}

} // namespace zem
