#include "link/PortCatalog.h"

#include <algorithm>
#include <tuple>

namespace kt520::link {
namespace {

std::string comName(int portNumber) {
    return "COM" + std::to_string(portNumber);
}

// "/dev/ttyUSB10" -> {"/dev/ttyUSB", 10}: names compare by their stem, then
// by the number they end in, so ttyUSB2 comes before ttyUSB10.
std::pair<std::string_view, std::size_t> stemAndNumber(std::string_view path) {
    std::size_t digits = path.size();
    while (digits > 0 && path[digits - 1] >= '0' && path[digits - 1] <= '9') --digits;
    std::size_t number = 0;
    for (std::size_t i = digits; i < path.size() && number < 1'000'000; ++i)
        number = number * 10 + static_cast<std::size_t>(path[i] - '0');
    return {path.substr(0, digits), number};
}

bool numberedFirst(const SerialDevice& a, const SerialDevice& b) {
    const auto [stemA, numberA] = stemAndNumber(a.path);
    const auto [stemB, numberB] = stemAndNumber(b.path);
    // USB adapters (usb true) before the others.
    return std::tie(b.usb, stemA, numberA, a.path) < std::tie(a.usb, stemB, numberB, b.path);
}

}  // namespace

void PortCatalog::pin(const PortOverride& entry) {
    numbered_[entry.portNumber] = SerialDevice{entry.device, {}, false};
}

void PortCatalog::addDetected(std::vector<SerialDevice> devices) {
    std::stable_sort(devices.begin(), devices.end(), numberedFirst);
    for (SerialDevice& device : devices) {
        // A device named on the command line keeps that number; take its description.
        for (auto& [number, known] : numbered_) {
            if (known.path == device.path && known.description.empty())
                known.description = device.description;
        }
        if (isNumbered(device.path)) continue;
        int number = 0;
        if (naming_ == PortNaming::ComNames) {
            for (int n = kFirstPort; n <= kLastPort && number == 0; ++n)
                if (device.path == comName(n) && !numbered_.contains(n)) number = n;
        } else {
            number = firstFreeNumber();
        }
        if (number != 0) numbered_[number] = std::move(device);
    }
}

bool PortCatalog::isNumbered(const std::string& path) const {
    return std::any_of(numbered_.begin(), numbered_.end(),
                       [&path](const auto& entry) { return entry.second.path == path; });
}

int PortCatalog::firstFreeNumber() const {
    for (int n = kFirstPort; n <= kLastPort; ++n)
        if (!numbered_.contains(n)) return n;
    return 0;
}

std::string PortCatalog::deviceFor(int portNumber) const {
    if (portNumber < kFirstPort || portNumber > kLastPort) return {};
    const auto found = numbered_.find(portNumber);
    if (found != numbered_.end()) return found->second.path;
    return naming_ == PortNaming::ComNames ? comName(portNumber) : std::string();
}

std::string PortCatalog::description(int portNumber) const {
    const auto found = numbered_.find(portNumber);
    if (found == numbered_.end()) return {};
    const SerialDevice& device = found->second;
    return device.description.empty() ? device.path : device.path + " (" + device.description + ")";
}

PortMap PortCatalog::portMap() const {
    PortMap map;
    for (int n = kFirstPort; n <= kLastPort; ++n) map.setDevice(n, deviceFor(n));
    return map;
}

std::string PortCatalog::listing() const {
    if (numbered_.empty()) return "No serial port found; --port COMn=DEVICE names one.";
    std::string text;
    for (const auto& [number, device] : numbered_) {
        if (!text.empty()) text += '\n';
        std::string name = comName(number);
        name.resize(std::max<std::size_t>(name.size(), 5), ' ');
        text += name + "  " + description(number);
    }
    return text;
}

}  // namespace kt520::link
