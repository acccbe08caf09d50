#pragma once
// Fixed-width fields from the instrument are padded with blanks; this strips them.
#include <string_view>

namespace kt520::profile {

// The text without leading and trailing blanks (only ' '; tabs are kept).
constexpr std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace kt520::profile
