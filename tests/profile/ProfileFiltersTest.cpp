#include "profile/ProfileFilters.h"

#include <gtest/gtest.h>

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

// A list whose entries 1..n read "s1", "s2", ... so copies can be traced.
TextList numbered(int n) {
    TextList list(1);
    for (int i = 1; i <= n; ++i) list.push_back(std::string(1, 's').append(std::to_string(i)));
    return list;
}

TEST(ReplaceFirstChar, ReplacesOnlyTheFirstOccurrenceInEveryEntry) {
    TextList list = listOf({"0,5", "1,2,3", ",5", "12", ""});
    list[0] = "0,0";
    replaceFirstChar(list, ',', ".");
    EXPECT_EQ(list, (TextList{"0,0", "0.5", "1.2,3", ".5", "12", ""}));
}

TEST(ReplaceFirstChar, ReplacementMayBeLongerOrEmpty) {
    TextList list = listOf({"a,b", "x,y"});
    replaceFirstChar(list, ',', "--");
    EXPECT_EQ(list, (TextList{"", "a--b", "x--y"}));
    replaceFirstChar(list, 'y', "");
    EXPECT_EQ(list, (TextList{"", "a--b", "x--"}));
}

TEST(ExtractEvaluationWindow, EvenDropSplitsEquallyExceptFor2CR) {
    TextList destination;
    extractEvaluationWindow("3", numbered(10), destination, 6);
    EXPECT_EQ(destination, (TextList{"", "s2", "s3", "s4", "s5", "s6", "s7"}));
    extractEvaluationWindow("1", numbered(10), destination, 6);
    EXPECT_EQ(destination, (TextList{"", "s5", "s6", "s7", "s8", "s9", "s10"}));
}

TEST(ExtractEvaluationWindow, OddDropStartsAtTheHalfRoundedToEven) {
    TextList destination;
    extractEvaluationWindow("2", numbered(11), destination, 6);  // d = 5, h = 2
    EXPECT_EQ(destination, (TextList{"", "s2", "s3", "s4", "s5", "s6", "s7"}));
    extractEvaluationWindow("4", numbered(13), destination, 6);  // d = 7, h = 4
    EXPECT_EQ(destination, (TextList{"", "s4", "s5", "s6", "s7", "s8", "s9"}));
    extractEvaluationWindow("1", numbered(13), destination, 6);
    EXPECT_EQ(destination, (TextList{"", "s8", "s9", "s10", "s11", "s12", "s13"}));
}

TEST(ExtractEvaluationWindow, NoDropCopiesEntriesUnchangedAndLeavesLaterEntries) {
    TextList destination = listOf({"x", "x", "x", "x", "x"});
    extractEvaluationWindow("3", numbered(3), destination, 3);
    EXPECT_EQ(destination, (TextList{"", "s1", "s2", "s3", "x", "x"}));
}

TEST(ExtractEvaluationWindow, ADropOfOneStartsAtTheFirstPointNotAtTheUnusedEntry) {
    TextList source = numbered(4);
    source[0] = "zero";
    TextList destination;
    extractEvaluationWindow("3", source, destination, 3);  // d = 1, h = 0
    EXPECT_EQ(destination, (TextList{"", "s1", "s2", "s3"}));
}

TEST(ExtractEvaluationWindow, ShortSourceWritesEmptyEntriesInsteadOfReadingPastIt) {
    TextList destination;
    extractEvaluationWindow("3", numbered(2), destination, 4);
    EXPECT_EQ(destination, (TextList{"", "s1", "s2", "", ""}));
}

TEST(RemoveEmptyEntries, ClosesGapsAndKeepsTextsUnchanged) {
    TextList list = listOf({"1", "", " ", "2", "  3 "});
    removeEmptyEntries(list);
    EXPECT_EQ(list, (TextList{"", "1", "2", "  3 "}));
}

TEST(RemoveEmptyEntries, AllBlankOrNothingLeavesOnlyAnEmptyEntryZero) {
    TextList list = listOf({"", "   "});
    list[0] = "unused";
    removeEmptyEntries(list);
    EXPECT_EQ(list, TextList(1));
    TextList nothing;
    removeEmptyEntries(nothing);
    EXPECT_EQ(nothing, TextList(1));
}

TEST(TiltCorrect, PureLineLeavesZeroResiduals) {
    TextList list = listOf({"1", "2", "3", "4"});
    tiltCorrect(list, 4);
    EXPECT_EQ(list, (TextList{"", "0", "0", "0", "0"}));
}

TEST(TiltCorrect, StepProfileGivesTheFittedResiduals) {
    // a = (4 - 1 * 2.5) / 5 = 0.3, b = 1/4 - 2.5 * 0.3 = -0.5.
    TextList list = listOf({"0", "0", "0", "1", "9"});
    tiltCorrect(list, 4);
    EXPECT_EQ(list, (TextList{"", ".2", "-.1", "-.4", ".3", "9"}));
}

TEST(TiltCorrect, ResidualsAreRoundedToSevenDigits) {
    // y = 0, 4, 1: c = 2, Sxx = 2, Sy = 5, Sxy = 11, a = 0.5, b = 5/3 - 1.
    // Residuals: 0 - (0.5 + 2/3), 4 - (1 + 2/3), 1 - (1.5 + 2/3).
    TextList list = listOf({"0", "4", "1"});
    tiltCorrect(list, 3);
    EXPECT_EQ(list, (TextList{"", "-1.166667", "2.333333", "-1.166667"}));
    TextList two = listOf({"-1", "1"});
    tiltCorrect(two, 2);  // the line through both points: residuals 0
    EXPECT_EQ(two, (TextList{"", "0", "0"}));
    TextList half = listOf({"0", "1", "0", "1"});
    // c = 2.5, Sxx = 5, Sy = 2, Sxy = 6, a = 0.2, b = 0; residuals -.2, .6, -.6, .2.
    tiltCorrect(half, 4);
    EXPECT_EQ(half, (TextList{"", "-.2", ".6", "-.6", ".2"}));
}

// Random profiles against a fit computed here: single-precision values, each
// product i * y(i) rounded to single precision before it is summed.
TEST(TiltCorrect, SumsSinglePrecisionProductsOnRandomProfiles) {
    std::mt19937 random(2990);
    std::uniform_real_distribution<float> height(-50.0f, 50.0f);
    for (int n : {2990, 17, 30000}) {
        SCOPED_TRACE(n);
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
        const auto b =
            static_cast<float>(static_cast<double>(sy) / count - static_cast<double>(c) * a);
        tiltCorrect(list, n);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(list[i],
                      numberText(static_cast<float>(y[i] - (i * static_cast<double>(a) + b))))
                << "point " << i;
    }
}

TEST(TiltCorrect, ReadsCommasAndTextAsTheirLeadingNumber) {
    // "1,9" reads 1 and "x" reads 0, so this is the line 1, 2, 3 with y(2) = 0:
    // values 1, 0, 3: c = 2, Sxx = 2, Sy = 4, Sxy = 10, a = 1, b = 4/3 - 2.
    TextList list = listOf({"1,9", "x", "3"});
    tiltCorrect(list, 3);
    EXPECT_EQ(list, (TextList{"", ".6666667", "-1.333333", ".6666667"}));
}

TEST(TiltCorrect, TooFewPointsOrShortListLeaveTheListUnchanged) {
    const TextList original = listOf({"1", "5"});
    TextList list = original;
    tiltCorrect(list, 1);
    EXPECT_EQ(list, original);
    tiltCorrect(list, 3);
    EXPECT_EQ(list, original);
}

}  // namespace
}  // namespace kt520::profile
