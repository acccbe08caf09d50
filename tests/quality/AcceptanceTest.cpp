// The part's acceptance under the 16 % rule and the max rule, on made-up traces.
#include <gtest/gtest.h>

#include "quality/Acceptance.h"

namespace kt520::quality {
namespace {

using enum Acceptance;

struct Sequence {
    const char* what;
    Limit limit;
    std::vector<double> values;  // trace by trace
    // After each trace: the acceptance and, while undecided, the traces still needed.
    std::vector<std::pair<Acceptance, int>> steps;
};

const Limit kUpper{std::nullopt, 1.0, Rule::SixteenPercent};
const Limit kLower{0.5, std::nullopt, Rule::SixteenPercent};

class SixteenPercentSequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(SixteenPercentSequence, AsksForTracesUntilThePartIsDecided) {
    const Sequence& s = GetParam();
    Inspection inspection;
    for (std::size_t i = 0; i < s.values.size(); ++i) {
        RunVerdict verdict =
            judge({{"Ra", s.values[i], "um", "ISO 4287:1997"}}, {{"P", "Ra", s.limit}});
        const InspectionStep step = inspection.add("P", "L", verdict);
        ASSERT_TRUE(step.overall);
        EXPECT_EQ(step.trace, static_cast<int>(i) + 1) << s.what;
        EXPECT_EQ(*step.overall, s.steps[i].first) << s.what << ", trace " << i + 1;
        EXPECT_EQ(step.parameters.at(0).outcome.tracesToDecide, s.steps[i].second)
            << s.what << ", trace " << i + 1;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, SixteenPercentSequence,
    ::testing::Values(
        Sequence{"first value within 70 %", kUpper, {0.7}, {{Accepted, 0}}},
        Sequence{"first three within the limit", kUpper, {0.8, 0.9, 1.0},
                 {{AnotherTrace, 2}, {AnotherTrace, 1}, {Accepted, 0}}},
        Sequence{"one of the first six beyond", kUpper, {1.1, 0.9, 0.9, 0.9, 0.9, 0.9},
                 {{AnotherTrace, 5}, {AnotherTrace, 4}, {AnotherTrace, 3}, {AnotherTrace, 2},
                  {AnotherTrace, 1}, {Accepted, 0}}},
        Sequence{"two of the first twelve beyond", kUpper,
                 {0.9, 1.2, 1.2, 0.9, 0.9, 0.9, 0.9, 0.9, 0.9, 0.9, 0.9, 0.9},
                 {{AnotherTrace, 2}, {AnotherTrace, 4}, {AnotherTrace, 9}, {AnotherTrace, 8},
                  {AnotherTrace, 7}, {AnotherTrace, 6}, {AnotherTrace, 5}, {AnotherTrace, 4},
                  {AnotherTrace, 3}, {AnotherTrace, 2}, {AnotherTrace, 1}, {Accepted, 0}}},
        Sequence{"a third value beyond rejects at once", kUpper, {1.1, 0.9, 1.1, 0.9, 1.3},
                 {{AnotherTrace, 5}, {AnotherTrace, 4}, {AnotherTrace, 9}, {AnotherTrace, 8},
                  {Rejected, 0}}},
        Sequence{"lower limit: no 70 % step, values below count", kLower, {0.9, 0.4, 0.6},
                 {{AnotherTrace, 2}, {AnotherTrace, 4}, {AnotherTrace, 3}}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });
// clang-format on

TEST(MaxRule, RejectsTheFirstValueBeyondAndAcceptsOtherwise) {
    const Limit max{std::nullopt, 1.0, Rule::Max};
    const std::vector<std::optional<double>> within{0.99, 1.0};
    EXPECT_EQ(weigh(within, max).acceptance, Accepted);
    const std::vector<std::optional<double>> beyond{0.5, 1.01};
    EXPECT_EQ(weigh(beyond, max).acceptance, Rejected);
    const std::vector<std::optional<double>> missing{0.5, std::nullopt};
    EXPECT_EQ(weigh(missing, max).acceptance, Rejected);
}

TEST(Inspection, StartsAnewForAnotherPartOrLotAndAfterADecision) {
    Inspection inspection;
    const auto traceOf = [&](const std::string& part, const std::string& lot, double value) {
        return inspection.add(part, lot, judge({{"Ra", value, "um", ""}}, {{part, "Ra", kUpper}}))
            .trace;
    };
    EXPECT_EQ(traceOf("P", "1", 0.9), 1);
    EXPECT_EQ(traceOf("P", "1", 0.9), 2);
    EXPECT_EQ(traceOf("P", "2", 0.9), 1);  // another lot
    EXPECT_EQ(traceOf("Q", "2", 0.9), 1);  // another part
    EXPECT_EQ(traceOf("Q", "2", 0.9), 2);
    EXPECT_EQ(traceOf("Q", "2", 0.9), 3);  // accepted after three
    EXPECT_EQ(traceOf("Q", "2", 0.9), 1);
    // A part without limits has no acceptance to weigh.
    EXPECT_FALSE(inspection.add("R", "", judge({{"Ra", 5.0, "um", ""}}, {})).overall);
}

TEST(Verdict, JudgesEachLimitedParameterInTheLimitsUnit) {
    const std::vector<analysis::Parameter> run{
        {"Ra", 39.37, "uinch", ""}, {"Rz", 6.0, "uinch", ""}, {"Rsk", -0.2, "", ""}};
    const RunVerdict verdict =
        judge(run, {{"P", "Ra", {0.5, 1.0, Rule::SixteenPercent}},    // 1 um: within
                    {"P", "Rz", {0.2, std::nullopt, Rule::Max}},      // 0.152 um: below
                    {"P", "Rmr", {10.0, std::nullopt, Rule::Max}}});  // not in the run
    ASSERT_EQ(verdict.parameters.size(), 4u);
    EXPECT_EQ(verdict.parameters[0].verdict, Verdict::Ok);
    EXPECT_EQ(verdict.parameters[1].verdict, Verdict::Ng);
    EXPECT_EQ(verdict.parameters[2].verdict, Verdict::NotJudged);
    EXPECT_EQ(verdict.parameters[3].name, "Rmr");
    EXPECT_FALSE(verdict.parameters[3].value);
    EXPECT_EQ(verdict.parameters[3].verdict, Verdict::Ng);
    EXPECT_EQ(verdict.overall, Verdict::Ng);
    EXPECT_EQ(judge(run, {}).overall, Verdict::Ok);
}

}  // namespace
}  // namespace kt520::quality
