#include "port_factory.h"

#include "in_process_port.h"

namespace zem::sim {

SerialPortFactory PortFactoryWithSimulator() {
    return [](const std::string& name) -> std::unique_ptr<SerialPort> {
        if (name == kSimulatorPort)
            return MakeInProcessPort();
        return nullptr;
    };
}

} // namespace zem::sim
