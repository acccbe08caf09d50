#include "profile/ProfileFilters.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "profile/NumberText.h"

namespace kt520::profile {

namespace {

int upperIndex(const TextList& list) {
    return static_cast<int>(list.size()) - 1;
}

// d / 2 to the nearest whole number, halves to the even neighbour.
int halfToEven(int d) {
    const int half = d / 2;
    if (d % 2 == 0) return half;
    return half % 2 == 0 ? half : half + 1;
}

// Stores a working value in single precision; values beyond its range become
// infinite instead of leaving the conversion undefined.
float single(double value) {
    constexpr auto largest = static_cast<double>(std::numeric_limits<float>::max());
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace

void replaceFirstChar(TextList& list, char find, std::string_view replacement) {
    for (std::size_t i = 1; i < list.size(); ++i) {
        const std::size_t p = list[i].find(find);
        if (p != std::string::npos) list[i].replace(p, 1, replacement);
    }
}

void extractEvaluationWindow(std::string_view filterCode, const TextList& source,
                             TextList& destination, int count) {
    if (count <= 0) return;
    const int dropped = upperIndex(source) - count;
    const int d = dropped < 0 ? 0 : dropped;
    // Source entry that lands in destination entry 1.
    int first = 1;
    if (filterCode == kFilter2CR) {
        first = 1 + d;
    } else if (d > 0) {
        // Entry 0 is never a point: with one point to drop the window starts at entry 1.
        first = std::max(1, halfToEven(d));
    }
    if (destination.size() < static_cast<std::size_t>(count) + 1) {
        destination.resize(static_cast<std::size_t>(count) + 1);
    }
    for (int j = 1; j <= count; ++j) {
        const int from = first + j - 1;
        destination[static_cast<std::size_t>(j)] =
            from <= upperIndex(source) ? source[static_cast<std::size_t>(from)] : std::string();
    }
}

void removeEmptyEntries(TextList& list) {
    if (list.empty()) {
        list.resize(1);
        return;
    }
    const auto blank = [](const std::string& text) {
        return text.find_first_not_of(' ') == std::string::npos;
    };
    list.erase(std::remove_if(list.begin() + 1, list.end(), blank), list.end());
    list[0].clear();
}

void tiltCorrect(TextList& list, int count) {
    if (count < 2 || upperIndex(list) < count) return;
    const auto n = static_cast<double>(count);
    std::vector<float> y(static_cast<std::size_t>(count) + 1, 0.0f);
    for (int i = 1; i <= count; ++i)
        y[static_cast<std::size_t>(i)] = readValue(list[static_cast<std::size_t>(i)]);

    const auto c = single((n + 1.0) / 2.0);
    const auto sxx =
        single(n * (n + 1.0) * (2.0 * n + 1.0) / 6.0 - (n + 1.0) * (n + 1.0) * n / 4.0);
    float sy = 0.0f;
    float sxy = 0.0f;
    for (int i = 1; i <= count; ++i) {
        const double yi = y[static_cast<std::size_t>(i)];
        sy = single(sy + yi);
        // Each product is a single-precision value before it is added.
        const float product = single(i * yi);
        sxy = single(static_cast<double>(sxy) + product);
    }
    const auto a = single((sxy - static_cast<double>(sy) * c) / sxx);
    const auto b = single(static_cast<double>(sy) / n - static_cast<double>(c) * a);
    for (int i = 1; i <= count; ++i) {
        const auto r = single(y[static_cast<std::size_t>(i)] - (i * static_cast<double>(a) + b));
        list[static_cast<std::size_t>(i)] = numberText(r);
    }
}

}  // namespace kt520::profile
