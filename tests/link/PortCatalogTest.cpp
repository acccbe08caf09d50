// Port numbers for the serial devices the system reports.
#include <gtest/gtest.h>

#include "link/PortCatalog.h"

namespace kt520::link {
namespace {

SerialDevice usb(const std::string& path, const std::string& description = "") {
    return {path, description, true};
}
SerialDevice onBoard(const std::string& path) {
    return {path, "", false};
}

// "n=device" ("~" for "/dev/") for every port number whose device is not
// the naming's default.
std::string numbering(const PortCatalog& catalog, PortNaming naming) {
    const PortMap map = catalog.portMap();
    std::string text;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const std::string usual = naming == PortNaming::ComNames ? "COM" + std::to_string(n) : "";
        const std::string device = map.deviceFor(n);
        if (device != usual)
            text += std::to_string(n) + "=" +
                    (device.starts_with("/dev/") ? "~" + device.substr(5) : device) + " ";
    }
    return text;
}

TEST(PortCatalog, NumbersGoToTheDevicesFoundUsbFirstAndPortEntriesKeepTheirs) {
    using enum PortNaming;
    const std::vector<SerialDevice> linuxDevices = {onBoard("/dev/ttyS1"), usb("/dev/ttyUSB10"),
                                                    onBoard("/dev/ttyS0"), usb("/dev/ttyUSB2"),
                                                    usb("/dev/ttyACM0")};
    std::vector<SerialDevice> many;
    for (int i = 0; i < 22; ++i) many.push_back(onBoard("/dev/ttyS" + std::to_string(i)));
    std::string firstNineteen;
    for (int n = 1; n <= 19; ++n)
        firstNineteen += std::to_string(n) + "=~ttyS" + std::to_string(n - 1) + " ";
    const struct {
        PortNaming naming;
        std::vector<PortOverride> pins;
        std::vector<SerialDevice> found;
        std::string numbering;
    } cases[] = {
        // USB adapters, then on-board ports, in name order
        {Detected, {}, linuxDevices, "1=~ttyACM0 2=~ttyUSB2 3=~ttyUSB10 4=~ttyS0 5=~ttyS1 "},
        // a --port device found too keeps its number only
        {Detected,
         {{1, "/dev/ttyUSB2"}},
         linuxDevices,
         "1=~ttyUSB2 2=~ttyACM0 3=~ttyUSB10 4=~ttyS0 5=~ttyS1 "},
        // a --port number is skipped by the others
        {Detected,
         {{2, "/dev/pts/4"}},
         {usb("/dev/ttyUSB0"), onBoard("/dev/ttyS0")},
         "1=~ttyUSB0 2=~pts/4 3=~ttyS0 "},
        {Detected, {}, {}, ""},
        // past twenty devices the rest get none
        {Detected, {{20, "/dev/x"}}, many, firstNineteen + "20=~x "},
        // Windows: COMn stays COMn
        {ComNames, {{5, "COM9"}}, {usb("COM7"), onBoard("COM1"), usb("COM25")}, "5=COM9 "},
    };
    for (const auto& c : cases) {
        PortCatalog catalog(c.naming);
        for (const PortOverride& pin : c.pins) catalog.pin(pin);
        catalog.addDetected(c.found);
        EXPECT_EQ(numbering(catalog, c.naming), c.numbering);
    }
}

TEST(PortCatalog, ADeviceKeepsItsNumberWhenTheDevicesChange) {
    PortCatalog catalog(PortNaming::Detected);
    catalog.addDetected({onBoard("/dev/ttyS0"), usb("/dev/ttyUSB0")});
    // The adapter is pulled, another plugged in: the new one takes a free number.
    catalog.addDetected({usb("/dev/ttyUSB1"), onBoard("/dev/ttyS0")});
    EXPECT_EQ(numbering(catalog, PortNaming::Detected), "1=~ttyUSB0 2=~ttyS0 3=~ttyUSB1 ");
}

TEST(PortCatalog, DescriptionsAndTheListingNameEachDevice) {
    PortCatalog catalog(PortNaming::Detected);
    EXPECT_EQ(catalog.listing(), "No serial port found; --port COMn=DEVICE names one.");

    catalog.pin({12, "/dev/ttyUSB3"});
    catalog.addDetected({usb("/dev/ttyUSB0", "FT232R USB UART"), onBoard("/dev/ttyS0"),
                         usb("/dev/ttyUSB3", "CP2102 USB to UART")});
    EXPECT_EQ(catalog.description(3), "");
    EXPECT_EQ(catalog.listing(),
              "COM1   /dev/ttyUSB0 (FT232R USB UART)\n"
              "COM2   /dev/ttyS0\n"
              "COM12  /dev/ttyUSB3 (CP2102 USB to UART)");
}

}  // namespace
}  // namespace kt520::link
