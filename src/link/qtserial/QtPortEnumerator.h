#pragma once
// The serial devices the system has, as QSerialPortInfo finds them.
#include "link/PortCatalog.h"

namespace kt520::link {

class QtPortEnumerator : public PortEnumerator {
  public:
    [[nodiscard]] std::vector<SerialDevice> devices() const override;
};

}  // namespace kt520::link
