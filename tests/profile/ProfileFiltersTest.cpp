#include "profile/ProfileFilters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "profile/NumberText.h"

namespace kt520::profile {
namespace {

// A list whose entries 1..n are the given texts.
TextList listOf(std::initializer_list<std::string> values) {
    TextList list(1);
    list.insert(list.end(), values);
    return list;
}

TEST(ReplaceFirstChar, ReplacesTheFirstOccurrenceInEntriesFromOne) {
    TextList list = listOf({"0,5", "1,2,3", ",5", "12", ""});
    list[0] = "0,0";
    replaceFirstChar(list, ',', "--");
    EXPECT_EQ(list, (TextList{"0,0", "0--5", "1--2,3", "--5", "12", ""}));
}

// Source entry k reads "s<k>" (entry 0 "zero"), so the window's start shows.
TEST(ExtractEvaluationWindow, Drops2CRsLeadAndOtherwiseHalfTheDropRoundedToEven) {
    const struct {
        const char* filter;
        int points;
        int count;
        int first;  // the source entry in destination entry 1
    } cases[] = {
        {"3", 10, 6, 2},  // d = 4
        {"1", 10, 6, 5},  // 2CR: the last six
        {"2", 11, 6, 2},  // d = 5: 2.5 to 2
        {"4", 13, 6, 4},  // d = 7: 3.5 to 4
        {"3", 4, 3, 1},   // d = 1: from the first point, not entry 0
        {"3", 3, 3, 1},   // no drop
        {"3", 2, 4, 1},   // short source: the missing entries empty
    };
    for (const auto& c : cases) {
        TextList source{"zero"};
        for (int i = 1; i <= c.points; ++i) source.push_back("s" + std::to_string(i));
        // Shorter than count + 1, it grows; its entries after count stay.
        TextList destination(c.points, "x");
        extractEvaluationWindow(c.filter, source, destination, c.count);
        TextList expected(std::max(c.points, c.count + 1), "x");
        for (int j = 1; j <= c.count; ++j) {
            const int from = c.first + j - 1;
            expected[j] = from <= c.points ? "s" + std::to_string(from) : "";
        }
        EXPECT_EQ(destination, expected) << c.filter << " " << c.points;
    }
}

TEST(RemoveEmptyEntries, ClosesGapsKeepingTextsAndClearsEntryZero) {
    TextList list = listOf({"1", "", " ", "2", "  3 "});
    list[0] = "unused";
    removeEmptyEntries(list);
    EXPECT_EQ(list, (TextList{"", "1", "2", "  3 "}));
    TextList nothing;
    removeEmptyEntries(nothing);
    EXPECT_EQ(nothing, TextList(1));
}

TEST(TiltCorrect, WritesTheResidualsOfTheLeastSquaresLine) {
    const struct {
        TextList list;
        int count;
        TextList expected;
    } cases[] = {
        {listOf({"1", "2", "3", "4"}), 4, {"", "0", "0", "0", "0"}},
        // a = 0.3, b = -0.5; the entry above count stays
        {listOf({"0", "0", "0", "1", "9"}), 4, {"", ".2", "-.1", "-.4", ".3", "9"}},
        // a = 0.5, b = 2/3: residuals to seven digits
        {listOf({"0", "4", "1"}), 3, {"", "-1.166667", "2.333333", "-1.166667"}},
        // "1,9" reads 1 and "x" 0: a = 1, b = 4/3 - 2
        {listOf({"1,9", "x", "3"}), 3, {"", ".6666667", "-1.333333", ".6666667"}},
        // too few points, or fewer entries than count: unchanged
        {listOf({"1", "5"}), 1, {"", "1", "5"}},
        {listOf({"1", "5"}), 3, {"", "1", "5"}},
    };
    for (auto c : cases) {
        tiltCorrect(c.list, c.count);
        EXPECT_EQ(c.list, c.expected);
    }
}

// A random profile against the fit computed here: single-precision values,
// each product i * y(i) rounded to single precision before it is summed.
TEST(TiltCorrect, SumsSinglePrecisionProducts) {
    std::mt19937 random(2990);
    std::uniform_real_distribution<float> height(-50.0f, 50.0f);
    const int n = 30000;
    TextList list(1);
    std::vector<float> y(1);
    for (int i = 1; i <= n; ++i) {
        list.push_back(numberText(height(random)));
        y.push_back(readValue(list.back()));
    }
    const double count = n;
    const auto c = static_cast<float>((count + 1) / 2);
    const auto sxx = static_cast<float>(count * (count + 1) * (2 * count + 1) / 6 -
                                        (count + 1) * (count + 1) * count / 4);
    float sy = 0, sxy = 0;
    for (int i = 1; i <= n; ++i) {
        sy = static_cast<float>(static_cast<double>(sy) + y[i]);
        sxy = static_cast<float>(static_cast<double>(sxy) +
                                 static_cast<float>(i * static_cast<double>(y[i])));
    }
    const auto a = static_cast<float>((sxy - static_cast<double>(sy) * c) / sxx);
    const auto b = static_cast<float>(static_cast<double>(sy) / count - static_cast<double>(c) * a);
    tiltCorrect(list, n);
    for (int i = 1; i <= n; ++i)
        ASSERT_EQ(list[i], numberText(static_cast<float>(y[i] - (i * static_cast<double>(a) + b))))
            << "point " << i;
}

}  // namespace
}  // namespace kt520::profile
