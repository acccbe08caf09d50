#include "lang/LanguageFonts.h"

#include <algorithm>

namespace kt520::lang {

std::string japaneseFace(const std::vector<std::string>& installedFamilies) {
    const auto installed = [&](std::string_view face) {
        return std::find(installedFamilies.begin(), installedFamilies.end(), face) !=
               installedFamilies.end();
    };
    if (installed(kJapaneseFace)) return std::string(kJapaneseFace);
    for (const std::string_view face : kJapaneseFallbackFaces) {
        if (installed(face)) return std::string(face);
    }
    return std::string(kJapaneseFace);
}

}  // namespace kt520::lang
