// The typed lengths: converted when the operator switches the unit, and
// checked before a measurement starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

using Texts = std::vector<std::string>;

Texts motifTexts(const ui::MainWindowModel& w) {
    Texts texts;
    for (int k = 1; k <= 4; ++k) texts.push_back(w.txtALEN[k].text);
    return texts;
}

TEST(LengthConversion, SwitchingTheUnitRewritesTheLengthInTheShortFormWithinItsLimits) {
    struct Case {
        float drive;
        int from;
        std::string typed, converted, why;
    };
    const Case cases[] = {
        {50.8f, 1, "12.7", ".5", "half an inch"},
        {50.8f, 2, ".5", "12.7", "and back"},
        {50.8f, 1, "0.1", ".01", "0.00 raised to the smallest inch length"},
        {50.8f, 2, ".01", ".3", "0.254 to one decimal"},
        {50.8f, 2, "0", ".1", "raised to the smallest mm length"},
        {25.4f, 1, "300", "1", "the travel in whole inches"},
        {25.4f, 2, "5", "25.4", "the travel as the drive reports it"},
        {50.8f, 1, "99999999", "2", "beyond sixteen bits: the limit, no overflow"},
        {50.8f, 2, "-99999999", ".1", "beyond sixteen bits: the limit, no overflow"},
        {5000.0f, 1, "3000", "118.1", "cut to five characters"},
        {5000.0f, 2, "48.6", "1234.", "cut to five characters"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + ": " + c.why);
        RulesPanel p(c.drive);
        p.window.optUNT.click(c.from);
        p.type(c.typed);
        p.window.optUNT.click(3 - c.from);
        EXPECT_EQ(p.window.txtLENG.text, c.converted);
        p.window.optUNT.click(3 - c.from);
        EXPECT_EQ(p.window.txtLENG.text, c.converted) << "the same unit again converts nothing";
    }
}

TEST(LengthConversion, AnyOtherUnitArgumentLeavesTheEntriesAlone) {
    RulesPanel p;
    p.type("12.7");
    const Texts before = motifTexts(p.window);
    for (int unit : {0, 3, -1}) {
        p.rules.convertLengthEntry(unit);
        p.rules.convertMotifLengths(unit);
    }
    EXPECT_EQ(p.window.txtLENG.text, "12.7");
    EXPECT_EQ(motifTexts(p.window), before);
}

TEST(MotifLengthConversion, EachEntryIsConvertedAndClampedToItsOwnRange) {
    RulesPanel p;
    // The design texts start with their smallest mm length; 16.1 mm is
    // 0.634 in, below the inch range of entry 4.
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".012", ".028", ".13", ".64"}));
    for (int k = 1; k <= 4; ++k) p.window.txtALEN[k].setText("0");
    p.window.optUNT.click(1);
    EXPECT_EQ(motifTexts(p.window), (Texts{".3", ".7", "3.3", "16.1"}));
    for (int k = 1; k <= 4; ++k) p.window.txtALEN[k].setText("999");
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".025", ".126", ".63", "2"}));

    p.window.optUNT.click(1);
    p.window.cmdDefault.click();
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".025", ".126", ".63", "1"}));
    p.window.optUNT.click(1);
    EXPECT_EQ(motifTexts(p.window), (Texts{".64", "3.2", "16", "25.4"}));

    RulesPanel withoutMotifs(50.8f, 1);
    const Texts designed = motifTexts(withoutMotifs.window);
    withoutMotifs.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(withoutMotifs.window), designed);
}

TEST(LengthCheck, EachFindingBeepsAndSelectsTheText) {
    struct Case {
        int unit;  // 0: none chosen
        std::string text;
        int findings;
    };
    const Case cases[] = {{1, "0.1", 0},  {1, "25.4", 0},    {1, ".5", 0},   {1, "0.09", 2},
                          {1, "0.05", 2}, {1, "25.5", 1},    {1, "2.45", 1}, {1, "2.4 ", 1},
                          {2, "0.01", 0}, {2, "1", 0},       {2, "1.01", 1}, {2, "0.005", 2},
                          {2, "x", 1},    {0, "junk.123", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.unit) + " \"" + c.text + "\"");
        RulesPanel p(25.4f);  // single-precision travel: 25.4 is in, 25.5 is out
        ui::TextBox& box = p.window.txtLENG;
        if (c.unit != 0) p.window.optUNT.click(c.unit);
        p.window.optUNT[1].selected = c.unit == 1;
        p.window.optUNT[2].selected = c.unit == 2;
        p.type(c.text);
        p.op.beeps = 0;
        box.focusRequests = 0;
        box.selStart = 3;
        box.selLength = 0;
        EXPECT_EQ(p.rules.checkLengthEntry(), c.findings == 0 ? "OK" : "NG");
        EXPECT_EQ(p.op.beeps, c.findings);
        EXPECT_EQ(box.focusRequests, c.findings);
        EXPECT_EQ(box.selStart, c.findings == 0 ? 3 : 0);
        EXPECT_EQ(box.selLength, c.findings == 0 ? 0 : 255);
    }
}

}  // namespace
}  // namespace kt520::testing
