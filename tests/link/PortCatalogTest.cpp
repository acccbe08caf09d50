// Port numbers for the serial devices the system reports.
#include <gtest/gtest.h>

#include <map>

#include "link/PortCatalog.h"

namespace kt520::link {
namespace {

SerialDevice usb(const char* path, const char* description = "") {
    return {path, description, true};
}
SerialDevice onBoard(const char* path) {
    return {path, "", false};
}

TEST(PortCatalog, NumbersGoToTheDevicesFoundUsbFirstAndPortEntriesKeepTheirs) {
    const std::vector<SerialDevice> linuxDevices = {onBoard("/dev/ttyS1"), usb("/dev/ttyUSB10"),
                                                    onBoard("/dev/ttyS0"), usb("/dev/ttyUSB2"),
                                                    usb("/dev/ttyACM0")};
    std::vector<SerialDevice> many;
    for (int i = 0; i < 22; ++i) many.push_back(onBoard(("/dev/ttyS" + std::to_string(i)).c_str()));
    struct Case {
        const char* what;
        PortNaming naming;
        std::vector<PortOverride> pins;
        std::vector<SerialDevice> found;
        std::map<int, std::string> devices;  // every other number: none, or COMn
    };
    const Case cases[] = {
        {"USB adapters, then on-board ports, in name order",
         PortNaming::Detected,
         {},
         linuxDevices,
         {{1, "/dev/ttyACM0"},
          {2, "/dev/ttyUSB2"},
          {3, "/dev/ttyUSB10"},
          {4, "/dev/ttyS0"},
          {5, "/dev/ttyS1"}}},
        {"a --port device found too keeps its number only",
         PortNaming::Detected,
         {{1, "/dev/ttyUSB2"}},
         linuxDevices,
         {{1, "/dev/ttyUSB2"},
          {2, "/dev/ttyACM0"},
          {3, "/dev/ttyUSB10"},
          {4, "/dev/ttyS0"},
          {5, "/dev/ttyS1"}}},
        {"a --port number is skipped by the others",
         PortNaming::Detected,
         {{2, "/dev/pts/4"}},
         {usb("/dev/ttyUSB0"), onBoard("/dev/ttyS0")},
         {{1, "/dev/ttyUSB0"}, {2, "/dev/pts/4"}, {3, "/dev/ttyS0"}}},
        {"nothing found", PortNaming::Detected, {}, {}, {}},
        {"past twenty devices the rest get none",
         PortNaming::Detected,
         {{20, "/dev/x"}},
         many,
         [] {
             std::map<int, std::string> expected{{20, "/dev/x"}};
             for (int n = 1; n <= 19; ++n) expected[n] = "/dev/ttyS" + std::to_string(n - 1);
             return expected;
         }()},
        {"Windows: COMn stays COMn",
         PortNaming::ComNames,
         {{5, "COM9"}},
         {usb("COM7"), onBoard("COM1"), usb("COM25")},
         {{5, "COM9"}}},
    };
    for (const Case& c : cases) {
        PortCatalog catalog(c.naming);
        for (const PortOverride& pin : c.pins) catalog.pin(pin);
        catalog.addDetected(c.found);
        const PortMap map = catalog.portMap();
        for (int n = kFirstPort; n <= kLastPort; ++n) {
            const auto expected = c.devices.find(n);
            const std::string device = expected != c.devices.end() ? expected->second
                                       : c.naming == PortNaming::ComNames
                                           ? "COM" + std::to_string(n)
                                           : "";
            EXPECT_EQ(map.deviceFor(n), device) << c.what << ", COM" << n;
        }
    }
}

TEST(PortCatalog, ADeviceKeepsItsNumberWhenTheDevicesChange) {
    PortCatalog catalog(PortNaming::Detected);
    catalog.addDetected({onBoard("/dev/ttyS0"), usb("/dev/ttyUSB0")});
    // The adapter is pulled, another plugged in: the new one takes a free number.
    catalog.addDetected({usb("/dev/ttyUSB1"), onBoard("/dev/ttyS0")});
    EXPECT_EQ(catalog.deviceFor(1), "/dev/ttyUSB0");
    EXPECT_EQ(catalog.deviceFor(2), "/dev/ttyS0");
    EXPECT_EQ(catalog.deviceFor(3), "/dev/ttyUSB1");
}

TEST(PortCatalog, DescriptionsAndTheListingNameEachDevice) {
    PortCatalog catalog(PortNaming::Detected);
    EXPECT_EQ(catalog.listing(), "No serial port found; --port COMn=DEVICE names one.");

    catalog.pin({12, "/dev/ttyUSB3"});
    catalog.addDetected({usb("/dev/ttyUSB0", "FT232R USB UART"), onBoard("/dev/ttyS0"),
                         usb("/dev/ttyUSB3", "CP2102 USB to UART")});
    EXPECT_EQ(catalog.description(1), "/dev/ttyUSB0 (FT232R USB UART)");
    EXPECT_EQ(catalog.description(2), "/dev/ttyS0");
    EXPECT_EQ(catalog.description(3), "");
    EXPECT_EQ(catalog.listing(),
              "COM1   /dev/ttyUSB0 (FT232R USB UART)\n"
              "COM2   /dev/ttyS0\n"
              "COM12  /dev/ttyUSB3 (CP2102 USB to UART)");
}

}  // namespace
}  // namespace kt520::link
