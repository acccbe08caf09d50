#include "conditions/ConditionReader.h"

#include <gtest/gtest.h>

#include "ConditionRecord.h"
#include "lang/InternalFault.h"

namespace kt520::conditions {
namespace {

using Texts = std::vector<std::string>;

class ConditionReaderTest : public ::testing::Test {
  protected:
    ConditionSet readWith(int romVersion, const std::map<int, std::string>& values) {
        layouts.prepareConditionLayouts(romVersion);
        return conditionsFromReply(testing::conditionRecord(layouts.reply, values) + "\r", layouts);
    }

    ConditionLayouts layouts;
};

TEST_F(ConditionReaderTest, MillimetreReplyIsCutIntoTheLongRecordAndCopiedAsItStands) {
    const ConditionSet set = readWith(
        1103, {{1, "3"}, {2, "L"}, {12, "1"}, {13, "12.5"}, {14, "0.5"}, {38, "0.64,  3.2"}});
    ASSERT_EQ(set.fields.size(), 52u);
    EXPECT_EQ((Texts{set.fields[1], set.fields[2], set.fields[38], set.evaluationLengthText,
                     set.samplingPitchText}),
              (Texts{"3", "L", "             0.64,  3.2", " 12.5", "  0.5"}));

    const ConditionSet older = readWith(1102, {{12, "1"}, {13, "4"}});
    ASSERT_EQ(older.fields.size(), 39u);
    EXPECT_EQ(older.fields[38].size(), 30u);
    EXPECT_EQ(older.evaluationLengthText, "    4");
}

TEST_F(ConditionReaderTest, InchLengthBecomesMillimetresToOneDecimal) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.5", "12.7"}, {"1.000", "25.4"}, {"0.126", "3.2"}, {"0.004", "0.1"},
        {"2", "50.8"},   {".01", "0.2"},    {"", "0"}};
    for (const auto& [inch, millimetres] : cases) {
        SCOPED_TRACE(inch);
        const ConditionSet set = readWith(1103, {{12, "2"}, {13, inch}, {14, "19.7"}});
        EXPECT_EQ(set.evaluationLengthText, millimetres);
        EXPECT_EQ(set.fields[13].size(), 5u);  // the field itself stays as cut
    }
}

TEST_F(ConditionReaderTest, InchPitchBecomesTheMicrometrePitch) {
    const std::pair<const char*, const char*> cases[] = {
        {"2.0", "0.05"}, {"5.9", "0.15"}, {"19.7", "0.50"}, {"59.1", "1.50"}, {"196.8", "5.0"}};
    for (const auto& [inch, micrometres] : cases) {
        SCOPED_TRACE(inch);
        EXPECT_EQ(readWith(1102, {{12, "2"}, {13, "0.5"}, {14, inch}}).samplingPitchText,
                  micrometres);
    }
}

TEST_F(ConditionReaderTest, UnknownInchPitchIsAnInternalFault) {
    EXPECT_EQ(readWith(1103, {{12, "1"}, {14, "3.0"}}).samplingPitchText, "  3.0")
        << "a millimetre pitch is never looked up";
    EXPECT_THROW(readWith(1103, {{12, "2"}, {13, "0.5"}, {14, "3.0"}}), lang::InternalFault);
}

TEST_F(ConditionReaderTest, AnEmptyReplyLeavesEveryFieldEmpty) {
    layouts.prepareConditionLayouts(1103);
    const ConditionSet set = conditionsFromReply("", layouts);
    ASSERT_EQ(set.fields.size(), 52u);
    for (const std::string& field : set.fields) EXPECT_EQ(field, "");
    EXPECT_EQ(set.evaluationLengthText, "");
}

}  // namespace
}  // namespace kt520::conditions
