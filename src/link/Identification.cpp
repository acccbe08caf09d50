#include "link/Identification.h"

#include <cmath>
#include <limits>

#include "profile/Blanks.h"
#include "profile/NumberText.h"

namespace kt520::link {
using profile::trimBlanks;

namespace {

// Characters `from` to `from + count - 1` (1-based); shorter near the end.
std::string_view characters(std::string_view text, std::size_t from, std::size_t count) {
    if (from > text.size()) return {};
    return text.substr(from - 1, count);
}

}  // namespace

std::vector<std::string> identificationFields(std::string_view reply) {
    reply = reply.substr(0, reply.find_first_of(";\r"));
    std::vector<std::string> fields;
    for (;;) {
        const auto comma = reply.find(',');
        fields.emplace_back(trimBlanks(reply.substr(0, comma)));
        if (comma == std::string_view::npos) return fields;
        reply.remove_prefix(comma + 1);
    }
}

std::int16_t modelKindFor(std::int16_t romVersion) {
    if (romVersion < 1102) return 0;
    if (romVersion < 1103) return 1;
    if (romVersion < 1307) return 2;
    return 3;
}

ModelInfo parseIdentification(std::string_view reply, const ModelInfo& previous) {
    const auto fields = identificationFields(reply);
    const std::string_view first = fields.front();

    ModelInfo info = previous;
    info.modelName = std::string(characters(first, 5, 5));

    const double version =
        std::round(static_cast<double>(profile::readValue(characters(first, 13, 5))) * 1000.0);
    const bool fits = version >= std::numeric_limits<std::int16_t>::min() &&
                      version <= std::numeric_limits<std::int16_t>::max();
    info.romVersion = fits ? static_cast<std::int16_t>(version) : std::int16_t{0};

    const float range = fields.size() >= 18 ? profile::readValue(fields[17]) : 0.0f;
    info.driveRange = (range == 1.0f || range == 2.0f) ? range * 25.4f : range;

    if (info.modelName == "KT520") info.modelKind = modelKindFor(info.romVersion);
    return info;
}

}  // namespace kt520::link
