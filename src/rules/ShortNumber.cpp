#include "rules/ShortNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace kt520::rules {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename T>
std::string shortForm(T value) {
    char buffer[400];  // enough for the fixed form of any double
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text = error == std::errc{} ? std::string(buffer, end) : std::string("0");
    // The fixed shortest form never has trailing zeros after a "."; only the
    // leading zero of values below 1 goes.
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    } else if (text.starts_with("-0.")) {
        text.erase(1, 1);
    }
    return text.substr(0, 5);
}

}  // namespace

double leadingNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) ++pos;
    }
    const std::string_view number = text.substr(start, pos - start);
    if (number.empty() || number == ".") return 0.0;

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too many digits for a double: far above every length limit anyway.
        value = std::numeric_limits<double>::infinity();
    } else if (error != std::errc{}) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::int16_t nearestEven16(double value) {
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    if (std::isnan(value)) return 0;
    if (value <= kLow) return std::numeric_limits<std::int16_t>::min();
    if (value >= kHigh) return std::numeric_limits<std::int16_t>::max();
    const double below = std::floor(value);
    const double rest = value - below;
    double whole = below;
    if (rest > 0.5) {
        whole = below + 1.0;
    } else if (rest == 0.5) {
        whole = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    }
    return static_cast<std::int16_t>(whole);
}

std::string shortNumber(double value) {
    return shortForm(value);
}

std::string shortNumber(float value) {
    return shortForm(value);
}

}  // namespace kt520::rules
