// Feeds any bytes as the answer to "RDKT 00": read by the opening of the
// line (settling, the 3-second bound, the "KT52" mark) and parsed into the
// model data with its fields.
#include <cstdlib>

#include "FuzzLine.h"
#include "link/Identification.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply = fuzzing::asText(data, size);

    for (const std::string& field : link::identificationFields(reply)) {
        if (field.find_first_of(",;\r") != std::string::npos) std::abort();
        if (!field.empty() && (field.front() == ' ' || field.back() == ' ')) std::abort();
    }
    const link::ModelInfo model = link::parseIdentification(reply);
    if (model.modelName.size() > 5) std::abort();
    if (model.modelName == "KT520" && model.modelKind != link::modelKindFor(model.romVersion))
        std::abort();

    link::SimulatedPump pump{link::Millis{50}};
    link::InMemorySerialPort port{pump};
    fuzzing::FuzzPeer peer(reply);
    fuzzing::SilentOperator op;
    link::InstrumentLink line(port, pump, op, fuzzing::englishCatalog());
    port.attach(1, peer);
    const std::string state = line.openLink(1);
    if (state != "OK" && state != "NG") std::abort();
    if ((state == "OK") != port.isOpen()) std::abort();
    // The whole opening keeps within its bound (one pump step of slack).
    if (pump.now() > link::kIdentifyTimeout + link::Millis{100}) std::abort();
    return 0;
}
