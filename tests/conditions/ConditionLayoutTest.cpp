#include "conditions/ConditionLayout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ConditionRecord.h"

namespace kt520::conditions {
namespace {

TEST(ConditionLayoutTest, EachFormHasItsFieldsWithoutGapOrOverlapAndItsFirmwaresTail) {
    using Spans = std::vector<std::vector<int>>;  // {field, start, width} beyond the shared ones
    const struct {
        ConditionLayout layout;
        int fields, width;
        Spans spans;
    } forms[] = {
        {conditionReplyLayout(1102), 38, 249, {{38, 220, 30}}},
        {conditionReplyLayout(1311), 51, 305, {{38, 220, 23}}},
        {cardConditionLayout(1102), 53, 257, {{38, 220, 1}, {39, 221, 5}, {53, 248, 10}}},
        {cardConditionLayout(1103), 67, 341, {{38, 220, 23}, {52, 306, 1}, {67, 332, 10}}},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(std::to_string(form.fields) + " fields");
        ASSERT_EQ(form.layout.fieldCount(), form.fields);
        EXPECT_EQ(form.layout.totalWidth(), form.width);
        EXPECT_EQ(form.layout.span(1).start, 1);
        for (int k = 2; k <= form.fields; ++k) {
            const FieldSpan before = form.layout.span(k - 1);
            EXPECT_EQ(form.layout.span(k).start, before.start + before.width) << "field " << k;
        }
        Spans spans = {{9, 9, 11}, {10, 20, 1}, {13, 23, 5}};
        spans.insert(spans.end(), form.spans.begin(), form.spans.end());
        for (const auto& s : spans) {
            const FieldSpan span = form.layout.span(s[0]);
            EXPECT_EQ((std::vector{s[0], span.start, span.width}), s);
        }
    }
    EXPECT_THROW(conditionReplyLayout(1102).span(0), std::out_of_range);
    EXPECT_THROW(conditionReplyLayout(1102).span(39), std::out_of_range);
    EXPECT_EQ(ConditionLayout().totalWidth(), 0);
}

TEST(ItemFieldMapTest, ShortRecordsLackTheMotifItemsAndShiftTheRest) {
    const std::vector<std::vector<int>> cases = {// {firmware, item, field}
                                                 {1103, 1, 1},   {1103, 38, 38}, {1103, 51, 51},
                                                 {1103, 67, 67}, {1103, 0, 0},   {1103, 68, 0},
                                                 {1102, 37, 37}, {1102, 38, 0},  {1102, 51, 0},
                                                 {1102, 52, 38}, {1102, 67, 53}, {1102, 68, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ItemFieldMap(c[0]).fieldOf(c[1]), c[2])
            << "firmware " << c[0] << ", item " << c[1];
}

TEST(ConditionLayoutTest, CuttingSkipsTheLeadingCharactersAndToleratesShortRecords) {
    const ConditionLayout layout = conditionReplyLayout(1103);
    const std::string record =
        testing::conditionRecord(layout, {{1, "3"}, {9, "ABCDEFGHIJK"}, {13, "12.5"}, {51, "Z"}});
    const auto fields = layout.cut(record, 2);
    ASSERT_EQ(fields.size(), 52u);
    EXPECT_EQ((std::vector{fields[0], fields[1], fields[9], fields[13], fields[51]}),
              (std::vector<std::string>{"", "3", "ABCDEFGHIJK", " 12.5", "Z"}));
    // Cut off inside field 13: that field is short, later ones are empty.
    const auto cutShort = layout.cut(std::string_view(record).substr(0, 2 + 22 + 3), 2);
    ASSERT_EQ(cutShort.size(), 52u);
    EXPECT_EQ((std::vector{cutShort[13], cutShort[14]}), (std::vector<std::string>{" 12", ""}));
}

TEST(ConditionLayoutTest, PreparingFollowsTheFirmwareAndItemTextFollowsTheMap) {
    ConditionLayouts layouts;
    EXPECT_EQ(layouts.reply.fieldCount(), 38);
    layouts.prepareConditionLayouts(1103);
    EXPECT_EQ(layouts.reply.fieldCount(), 51);
    EXPECT_EQ(layouts.items.fieldOf(52), 52);
    EXPECT_EQ(layouts.card.fieldCount(), 53) << "the card record follows its own file";
    layouts.prepareCardLayout(1307);
    layouts.prepareConditionLayouts(1000);
    EXPECT_EQ(layouts.reply.fieldCount(), 38);
    EXPECT_EQ(layouts.card.fieldCount(), 67);

    ConditionSet set;
    set.fields = layouts.reply.cut(testing::conditionRecord(layouts.reply, {{37, "2"}}), 2);
    EXPECT_EQ(itemText(set, layouts.items, 37), "2");
    EXPECT_EQ(itemText(set, layouts.items, 38), "");
    EXPECT_EQ(itemText(set, layouts.items, 52), set.fields[38]);
    EXPECT_EQ(itemText(ConditionSet{}, layouts.items, 1), "");
}

}  // namespace
}  // namespace kt520::conditions
