#pragma once
// Which device each port number 1-20 opens. On Windows port n is "COMn"; on
// other systems COMn is /dev/ttyS(n-1) unless the command line says otherwise
// with --port COM3=/dev/ttyUSB0 (a USB adapter, or the simulator's terminal).
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kt520::link {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 20;

struct PortOverride {
    int portNumber = 0;
    std::string device;
};

// Reads "COMn=DEVICE" (COM in any letter case, n 1-20, DEVICE not empty).
// On bad text returns nothing and puts the reason into `error`.
std::optional<PortOverride> parsePortOverride(std::string_view text, std::string& error);

class PortMap {
  public:
    // The device for a port number; empty outside 1-20.
    std::string deviceFor(int portNumber) const;
    void setDevice(int portNumber, std::string device);
    void apply(const PortOverride& entry) { setDevice(entry.portNumber, entry.device); }

  private:
    std::map<int, std::string> overrides_;
};

}  // namespace kt520::link
