#include "conditions/ConditionLayout.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ConditionFixtures.h"

namespace kt520::conditions {
namespace {

struct Form {
    const char* name;
    ConditionLayout layout;
    int fields;
    int width;
};

std::vector<Form> allForms() {
    return {{"short reply", conditionReplyLayout(1102), 38, 249},
            {"long reply", conditionReplyLayout(1103), 51, 305},
            {"short card", cardConditionLayout(1102), 53, 257},
            {"long card", cardConditionLayout(1103), 67, 341}};
}

TEST(ConditionLayoutTest, EveryFormHasItsFieldCountAndWidthWithNoGapOrOverlap) {
    for (const Form& form : allForms()) {
        SCOPED_TRACE(form.name);
        ASSERT_EQ(form.layout.fieldCount(), form.fields);
        EXPECT_EQ(form.layout.totalWidth(), form.width);
        EXPECT_EQ(form.layout.span(1).start, 1);
        for (int k = 2; k <= form.fields; ++k) {
            const FieldSpan before = form.layout.span(k - 1);
            EXPECT_EQ(form.layout.span(k).start, before.start + before.width) << "field " << k;
        }
    }
}

TEST(ConditionLayoutTest, SharedFieldsStartAtTheSameColumnsInAllFourForms) {
    for (const Form& form : allForms()) {
        SCOPED_TRACE(form.name);
        EXPECT_EQ(form.layout.span(9).start, 9);
        EXPECT_EQ(form.layout.span(9).width, 11);
        EXPECT_EQ(form.layout.span(10).start, 20);
        EXPECT_EQ(form.layout.span(13).start, 23);
        EXPECT_EQ(form.layout.span(13).width, 5);
        EXPECT_EQ(form.layout.span(38).start, 220);
    }
}

TEST(ConditionLayoutTest, FirmwareDecidesTheTailOfTheRecord) {
    EXPECT_EQ(conditionReplyLayout(1102).span(38).width, 30);
    EXPECT_EQ(conditionReplyLayout(1103).span(38).width, 23);
    EXPECT_EQ(conditionReplyLayout(1311).fieldCount(), 51);
    EXPECT_EQ(cardConditionLayout(1103).span(52).start, 306);
    EXPECT_EQ(cardConditionLayout(1103).span(67).width, 10);
    EXPECT_EQ(cardConditionLayout(1102).span(53).width, 10);
    EXPECT_EQ(cardConditionLayout(1102).span(39).width, 5);
}

TEST(ConditionLayoutTest, FieldsOutsideTheLayoutAreRefused) {
    const ConditionLayout layout = conditionReplyLayout(1102);
    EXPECT_THROW(layout.span(0), std::out_of_range);
    EXPECT_THROW(layout.span(39), std::out_of_range);
    EXPECT_EQ(ConditionLayout().fieldCount(), 0);
    EXPECT_EQ(ConditionLayout().totalWidth(), 0);
}

TEST(ItemFieldMapTest, LongRecordsHoldEveryItemInItsOwnField) {
    const ItemFieldMap items(1103);
    for (int item = 1; item <= 67; ++item) EXPECT_EQ(items.fieldOf(item), item);
    EXPECT_EQ(items.fieldOf(0), 0);
    EXPECT_EQ(items.fieldOf(68), 0);
}

TEST(ItemFieldMapTest, ShortRecordsLackTheMotifItemsAndShiftTheRest) {
    const ItemFieldMap items(1102);
    for (int item = 1; item <= 37; ++item) EXPECT_EQ(items.fieldOf(item), item);
    for (int item = 38; item <= 51; ++item) EXPECT_EQ(items.fieldOf(item), 0) << item;
    EXPECT_EQ(items.fieldOf(52), 38);
    EXPECT_EQ(items.fieldOf(67), 53);
    EXPECT_EQ(items.fieldOf(68), 0);
}

TEST(ConditionLayoutTest, CuttingSkipsTheLeadingCharactersAndToleratesShortRecords) {
    const ConditionLayout layout = conditionReplyLayout(1103);
    const std::string record =
        testing::conditionRecord(layout, {{1, "3"}, {9, "ABCDEFGHIJK"}, {13, "12.5"}, {51, "Z"}});
    const auto fields = layout.cut(record, 2);
    ASSERT_EQ(fields.size(), 52u);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(fields[1], "3");
    EXPECT_EQ(fields[9], "ABCDEFGHIJK");
    EXPECT_EQ(fields[13], " 12.5");
    EXPECT_EQ(fields[51], "Z");

    // Cut off inside field 13: that field is short, later ones are empty.
    const auto cutShort = layout.cut(std::string_view(record).substr(0, 2 + 22 + 3), 2);
    ASSERT_EQ(cutShort.size(), 52u);
    EXPECT_EQ(cutShort[13], " 12");
    EXPECT_EQ(cutShort[14], "");
    EXPECT_EQ(layout.cut("", 2)[1], "");
}

TEST(ConditionLayoutTest, ItemTextFollowsTheMapAndIsEmptyWithoutAField) {
    ConditionLayouts layouts;
    layouts.prepareConditionLayouts(1102);
    ConditionSet set;
    set.fields = layouts.reply.cut(testing::conditionRecord(layouts.reply, {{37, "2"}}), 2);
    EXPECT_EQ(itemText(set, layouts.items, 37), "2");
    EXPECT_EQ(itemText(set, layouts.items, 38), "");
    EXPECT_EQ(itemText(set, layouts.items, 52), set.fields[38]);
    EXPECT_EQ(itemText(ConditionSet{}, layouts.items, 1), "");
}

TEST(ConditionLayoutTest, PreparingFollowsTheFirmwareAndKeepsTheOtherRecord) {
    ConditionLayouts layouts;
    EXPECT_EQ(layouts.reply.fieldCount(), 38);
    layouts.prepareConditionLayouts(1103);
    EXPECT_EQ(layouts.reply.fieldCount(), 51);
    EXPECT_EQ(layouts.items.fieldOf(52), 52);
    EXPECT_EQ(layouts.card.fieldCount(), 53);
    layouts.prepareCardLayout(1307);
    EXPECT_EQ(layouts.card.fieldCount(), 67);
    layouts.prepareConditionLayouts(1000);
    EXPECT_EQ(layouts.reply.fieldCount(), 38);
    EXPECT_EQ(layouts.items.fieldOf(52), 38);
    EXPECT_EQ(layouts.card.fieldCount(), 67);
}

}  // namespace
}  // namespace kt520::conditions
