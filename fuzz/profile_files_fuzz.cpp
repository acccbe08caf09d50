// Feeds arbitrary bytes to the three profile readers (the first byte picks
// text, SDF or SMD) and checks what every reading must give: either heights
// that are all finite, with a spacing above 0 where the format carries one,
// or a message and no heights.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analysis/ProfileFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kt520::analysis;
    if (size == 0) return 0;
    const auto format = static_cast<ProfileFormat>(data[0] % 3);
    const ProfileRead read =
        readProfile(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), format);
    if (!read.ok()) {
        if (!read.heightsUm.empty() && read.error.empty()) std::abort();
        return 0;
    }
    if (read.heightsUm.empty()) std::abort();
    for (double h : read.heightsUm)
        if (!std::isfinite(h)) std::abort();
    if (format != ProfileFormat::Text && read.heightsUm.size() > 1 &&
        !(read.spacingUm && *read.spacingUm > 0)) {
        std::abort();
    }
    return 0;
}
