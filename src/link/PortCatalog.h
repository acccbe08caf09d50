#pragma once
// Which serial device each port number 1-20 means, from the devices the
// system reports. On Linux the numbers go to the devices that exist, USB
// adapters first (/dev/ttyUSB*, /dev/ttyACM*), then the on-board ports, and a
// device keeps its number for as long as the program runs; on Windows port n
// stays "COMn". A --port entry keeps its number and device; the devices found
// fill the other numbers in order.
#include <map>
#include <string>
#include <vector>

#include "link/PortMap.h"

namespace kt520::link {

struct SerialDevice {
    std::string path;         // what opens it: "/dev/ttyUSB0", or "COM3" on Windows
    std::string description;  // the adapter's own name; may be empty
    bool usb = false;
};

// The serial devices the system reports; tests give any list.
class PortEnumerator {
  public:
    virtual ~PortEnumerator() = default;
    [[nodiscard]] virtual std::vector<SerialDevice> devices() const = 0;
};

// Detected: the numbers go to the devices found. ComNames: port n is "COMn"
// whatever is found, as Windows names its ports.
enum class PortNaming { Detected, ComNames };
#ifdef _WIN32
inline constexpr PortNaming kSystemPortNaming = PortNaming::ComNames;
#else
inline constexpr PortNaming kSystemPortNaming = PortNaming::Detected;
#endif

class PortCatalog {
  public:
    explicit PortCatalog(PortNaming naming = kSystemPortNaming) : naming_(naming) {}

    // A --port entry: the number keeps this device whatever is found.
    void pin(const PortOverride& entry);
    // Gives each device found that has no number yet the lowest free one, USB
    // adapters first, then the others, each group in the order of the device
    // names (ttyUSB2 before ttyUSB10). Numbers already given never change, so
    // calling it again only numbers what is new. With ComNames a device
    // "COMn" gets n; other names get none.
    void addDetected(std::vector<SerialDevice> devices);

    // The device port n opens; empty when it has none (Detected) or outside 1-20.
    [[nodiscard]] std::string deviceFor(int portNumber) const;
    // The device and its description, "/dev/ttyUSB0 (FT232R USB UART)";
    // empty for a number without a device.
    [[nodiscard]] std::string description(int portNumber) const;
    // Number to device, for the serial port that opens them.
    [[nodiscard]] PortMap portMap() const;
    // One line a port that has a device, "COM1   /dev/ttyUSB0 (FT232R USB
    // UART)", or a line saying that there is none; no line end after the last.
    [[nodiscard]] std::string listing() const;

  private:
    [[nodiscard]] bool isNumbered(const std::string& path) const;
    [[nodiscard]] int firstFreeNumber() const;

    PortNaming naming_;
    std::map<int, SerialDevice> numbered_;
};

}  // namespace kt520::link
