#include "link/qtserial/QtPortEnumerator.h"

#include <QSerialPortInfo>

namespace kt520::link {

std::vector<SerialDevice> QtPortEnumerator::devices() const {
    std::vector<SerialDevice> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
#ifdef Q_OS_WIN
        device.path = info.portName().toStdString();  // "COM3"
#else
        device.path = info.systemLocation().toStdString();  // "/dev/ttyUSB0"
#endif
        device.description =
            (info.description().isEmpty() ? info.manufacturer() : info.description()).toStdString();
        // Only USB devices carry a vendor number.
        device.usb = info.hasVendorIdentifier();
        found.push_back(std::move(device));
    }
    return found;
}

}  // namespace kt520::link
