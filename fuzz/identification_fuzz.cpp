// Feeds any bytes as the answer to "RDKT 00": parsed into the model data with
// its fields, and read by the opening of the line (settling, the 3-second
// bound, the "KT52" mark).
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

    fuzzing::FuzzLine line(reply);
    line.line.close();
    std::optional<link::OpenResult> opened;
    if (line.run(line.link.open(1), opened) != fuzzing::Ending::Done) std::abort();
    if (*opened == link::OpenResult::AlreadyOpen) std::abort();
    if ((*opened == link::OpenResult::Identified) != line.line.isOpen()) std::abort();
    // The whole opening keeps within its bound.
    if (line.loop.now() > link::kIdentifyTimeout + link::Millis{1}) std::abort();
    return 0;
}
