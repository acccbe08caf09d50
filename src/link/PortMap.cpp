#include "link/PortMap.h"

#include <charconv>

namespace kt520::link {

namespace {

bool startsWithCom(std::string_view text) {
    if (text.size() < 3) return false;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return upper(text[0]) == 'C' && upper(text[1]) == 'O' && upper(text[2]) == 'M';
}

std::string defaultDevice(int portNumber) {
#ifdef _WIN32
    return "COM" + std::to_string(portNumber);
#else
    return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

}  // namespace

std::optional<PortOverride> parsePortOverride(std::string_view text, std::string& error) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || !startsWithCom(text)) {
        error = "expected COMn=DEVICE, for example COM3=/dev/ttyUSB0, not \"" + std::string(text) +
                "\"";
        return std::nullopt;
    }
    const std::string_view number = text.substr(3, equals - 3);
    int portNumber = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), portNumber);
    if (number.empty() || parsed.ec != std::errc{} || parsed.ptr != number.data() + number.size() ||
        portNumber < kFirstPort || portNumber > kLastPort) {
        error =
            "the port must be COM1 to COM20, not \"" + std::string(text.substr(0, equals)) + "\"";
        return std::nullopt;
    }
    const std::string_view device = text.substr(equals + 1);
    if (device.empty()) {
        error = "no device given for COM" + std::to_string(portNumber);
        return std::nullopt;
    }
    return PortOverride{portNumber, std::string(device)};
}

std::string PortMap::deviceFor(int portNumber) const {
    if (portNumber < kFirstPort || portNumber > kLastPort) return {};
    const auto found = overrides_.find(portNumber);
    return found != overrides_.end() ? found->second : defaultDevice(portNumber);
}

void PortMap::setDevice(int portNumber, std::string device) {
    overrides_[portNumber] = std::move(device);
}

}  // namespace kt520::link
