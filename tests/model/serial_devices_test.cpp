#include "model/serial_devices.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace zem {
namespace {

namespace fs = std::filesystem;

// A small copy of sysfs and /dev: 8250 slots (one without a UART, one behind the serial core's
// own devices), a virtual console, a USB adapter with product texts, a modem-class device known
// only by its by-id name, and a tty whose device node is missing.
class FakeSystem {
public:
    FakeSystem() : root_(fs::temp_directory_path() / ("zem-serial-" + std::to_string(getpid()))) {
        fs::remove_all(root_);
        Uart("ttyS0", "4");
        Uart("ttyS1", "0");
        Uart("ttyS10", "4");
        fs::create_directories(Tty() / "tty0");
        Node("tty0");

        const fs::path usb = root_ / "sys/devices/pci0/usb1/1-1";
        fs::create_directories(usb / "1-1:1.0/ttyUSB0");
        Write(usb / "product", "FT232R USB UART\n");
        Write(usb / "manufacturer", "FTDI\n");
        fs::create_directories(Tty() / "ttyUSB0");
        fs::create_directory_symlink(usb / "1-1:1.0/ttyUSB0", Tty() / "ttyUSB0/device");
        Node("ttyUSB0");

        const fs::path acm = root_ / "sys/devices/pci0/usb2/2-1/2-1:1.0";
        fs::create_directories(acm);
        fs::create_directories(Tty() / "ttyACM0");
        fs::create_directory_symlink(acm, Tty() / "ttyACM0/device");
        Node("ttyACM0");
        fs::create_directories(ById());
        fs::create_symlink("../../ttyACM0", ById() / "usb-Radio_Cable_1234-if00");

        Uart("ttyS3", "4");
        fs::remove(Dev() / "ttyS3");

        // Newer kernels: the serial core's port and controller devices sit between the tty and
        // the hardware.
        const fs::path pnp = root_ / "sys/devices/pnp0/00:04";
        fs::create_directories(pnp / "00:04:0/00:04:0.0");
        Driver(pnp / "00:04:0/00:04:0.0", "serial-base", "port");
        Driver(pnp / "00:04:0", "serial-base", "ctrl");
        Driver(pnp, "pnp", "serial");
        fs::create_directories(Tty() / "ttyS4");
        fs::create_directory_symlink(pnp / "00:04:0/00:04:0.0", Tty() / "ttyS4/device");
        Write(Tty() / "ttyS4/type", "4\n");
        Node("ttyS4");
    }
    ~FakeSystem() { fs::remove_all(root_); }

    fs::path Tty() const { return root_ / "sys/class/tty"; }
    fs::path Dev() const { return root_ / "dev"; }
    fs::path ById() const { return root_ / "dev/serial/by-id"; }

private:
    static void Write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }
    void Node(const std::string& name) {
        fs::create_directories(Dev());
        Write(Dev() / name, "");
    }
    void Driver(const fs::path& device, const std::string& bus, const std::string& name) {
        const fs::path driver = root_ / "sys/bus" / bus / "drivers" / name;
        fs::create_directories(driver);
        fs::create_directory_symlink(driver, device / "driver");
    }
    void Uart(const std::string& name, const std::string& type) {
        const fs::path device = root_ / "sys/devices/platform/serial8250" / name;
        const fs::path driver = root_ / "sys/bus/platform/drivers/serial8250";
        fs::create_directories(device);
        fs::create_directories(driver);
        if (!fs::exists(device / "driver"))
            fs::create_directory_symlink(driver, device / "driver");
        fs::create_directories(Tty() / name);
        fs::create_directory_symlink(device, Tty() / name / "device");
        Write(Tty() / name / "type", type + "\n");
        Node(name);
    }

    fs::path root_;
};

TEST(serial_devices_test, lists_present_devices_with_descriptions_in_natural_order) {
    const FakeSystem sys;
    const std::vector<SerialDevice> devices = ListSerialDevices(sys.Tty(), sys.Dev(), sys.ById());
    struct Row {
        std::string name;
        std::string description;
    };
    const Row expected[] = {
        {"ttyACM0", "usb-Radio_Cable_1234-if00"},
        {"ttyS0", "serial8250"},
        {"ttyS4", "serial"},
        {"ttyS10", "serial8250"},
        {"ttyUSB0", "FTDI FT232R USB UART"},
    };
    ASSERT_EQ(devices.size(), std::size(expected));
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(devices[i].path, (sys.Dev() / expected[i].name).string());
        EXPECT_EQ(devices[i].description, expected[i].description);
    }
}

TEST(serial_devices_test, missing_directories_give_an_empty_list) {
    EXPECT_TRUE(ListSerialDevices("/nonexistent/sys", "/nonexistent/dev", "/nonexistent/by-id").empty());
}

TEST(serial_devices_test, real_system_lists_only_existing_nodes) {
    for (const SerialDevice& d : ListSerialDevices())
        EXPECT_TRUE(fs::exists(d.path)) << d.path;
}

} // namespace
} // namespace zem
