#include "profile/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace kt520::profile {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of text (after blanks and sign) that forms a
// decimal number, so that from_chars never sees what cannot continue it.
std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

float readValue(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const std::string_view rest = text.substr(start);
    const std::size_t length = numberLength(rest);
    if (length == 0) return 0.0f;
    double value = 0.0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value);
    (void)end;
    if (error != std::errc{}) return 0.0f;
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) return 0.0f;
    const auto single = static_cast<float>(value);
    return negative ? -single : single;
}

std::string numberText(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0.0f) return "0";  // also for -0
    // "general" with precision 7 rounds to 7 significant digits, drops
    // trailing zeros and the trailing point, and takes the exponent form
    // (at least two exponent digits) when the decimal exponent is below -4
    // or above 6.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    const std::size_t digits = text.front() == '-' ? 1 : 0;
    if (text.size() > digits + 1 && text[digits] == '0' && text[digits + 1] == '.') {
        text.erase(digits, 1);
    }
    return text;
}

}  // namespace kt520::profile
