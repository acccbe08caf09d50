// Feeds arbitrary bytes as the four files of a card measurement (.SMB, .RCB,
// .RES, .CSV, cut at "#|#"; a file the input does not reach is missing) and
// checks what every reading must give: either a measurement of a KT-520
// whose record is the card layout of its firmware, whose profiles hold at
// most 30000 finite values, and which reads back the same once written
// again; or a problem that names the file it is about.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "card/CardFormat.h"
#include "conditions/ConditionLayout.h"

namespace {

using namespace kt520::card;

bool finiteAndFew(const std::vector<float>& points) {
    if (points.size() > 30000) return false;
    for (const float value : points)
        if (!std::isfinite(value)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    CardFiles files;
    for (const CardFile file : kCardFiles) {
        if (input.data() == nullptr) break;
        const std::size_t cut = input.find("#|#");
        files[file] = std::string(input.substr(0, cut));
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 3);
    }
    const CardRead read = decodeCard(files, "KT000001");
    if (!read.measurement) {
        if (read.problem.file.empty()) std::abort();
        if (read.problem.fault == CardFault::Truncated &&
            read.problem.bytesPresent >= read.problem.bytesNeeded)
            std::abort();
        return 0;
    }
    const CardMeasurement& m = *read.measurement;
    if (m.header.modelName != "KT520" || m.header.romVersion < kLowestFirmware) std::abort();
    const int width = kt520::conditions::cardConditionLayout(m.header.romVersion).totalWidth();
    if (m.conditionRecord.size() != static_cast<std::size_t>(width)) std::abort();
    if (!finiteAndFew(m.measured) || !finiteAndFew(m.evaluation) || m.results.empty()) std::abort();
    const CardRead again = decodeCard(encodeCard(m), "KT000001");
    if (!again.measurement || !(*again.measurement == m)) std::abort();
    return 0;
}
