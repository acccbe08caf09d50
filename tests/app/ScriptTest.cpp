// Reading the headless driver's script lines.
#include <gtest/gtest.h>

#include "app/Script.h"

namespace kt520::app {
namespace {

TEST(ScriptLine, BlankAndCommentLinesHoldNoAction) {
    for (const char* line : {"", "   ", "\r", "# click cmdSTART", "  # note"}) {
        const ParsedLine parsed = parseScriptLine(line);
        EXPECT_FALSE(parsed.action) << line;
        EXPECT_EQ(parsed.error, "") << line;
    }
}

TEST(ScriptLine, ReadsEachVerb) {
    EXPECT_EQ(parseScriptLine("click optCUT(3)").action->target, "optCUT(3)");
    EXPECT_EQ(parseScriptLine("press cmdMOV(4)\r").action->verb, Verb::Press);
    EXPECT_EQ(parseScriptLine("release cmdMOV(4)").action->verb, Verb::Release);
    EXPECT_EQ(parseScriptLine("wait 250").action->millis, 250);
    EXPECT_EQ(parseScriptLine("dump").action->verb, Verb::Dump);

    const ParsedLine typed = parseScriptLine("type txtLENG  2.5 ");
    ASSERT_TRUE(typed.action);
    EXPECT_EQ(typed.action->value, " 2.5 ");  // the text keeps its blanks
    EXPECT_EQ(parseScriptLine("type txtLENG ").action->value, "");
    EXPECT_EQ(parseScriptLine("choose cmbCOM COM3").action->value, "COM3");
    EXPECT_EQ(parseScriptLine("card /media/my card/KT000001.SMB").action->value,
              "/media/my card/KT000001.SMB");

    const ParsedLine after = parseScriptLine("after 3000 click cmdSTOP");
    ASSERT_TRUE(after.action);
    EXPECT_EQ(after.action->verb, Verb::After);
    EXPECT_EQ(after.action->millis, 3000);
    ASSERT_TRUE(after.action->delayed);
    EXPECT_EQ(after.action->delayed->target, "cmdSTOP");
    EXPECT_EQ(after.action->delayed->text, "click cmdSTOP");

    EXPECT_EQ(parseScriptLine("operator  Kim Lee ").action->value, "Kim Lee");
    EXPECT_EQ(parseScriptLine("export out/all runs.csv").action->value, "out/all runs.csv");
    const auto limit = [](const char* line) {
        return parseScriptLine(line).action->tolerance.limit;
    };
    EXPECT_EQ(limit("tolerance P Ra - 0.8"),
              (quality::Limit{std::nullopt, 0.8, quality::Rule::SixteenPercent}));
    EXPECT_EQ(limit("tolerance P Rz 1e-1 4 max"), (quality::Limit{0.1, 4.0, quality::Rule::Max}));
}

TEST(ScriptLine, SaysWhatIsWrong) {
    // clang-format off
    for (const char* line :
         {"jump cmdSTART", "click", "click cmdSTART now", "wait", "wait -5", "wait 1.5",
          "wait 10 more", "after 100", "after x click cmdSTOP", "after 100 wait 5",
          "after 100 after 5 dump", "choose cmbCOM", "dump all", "card", "after 5 card x", "report",
          "tolerance P Ra 1", "tolerance P Ra 2 1", "tolerance P Ra x 1", "tolerance P Ra - 1 min",
          "tolerance P Ra - 1 max more"}) {
        // clang-format on
        const ParsedLine parsed = parseScriptLine(line);
        EXPECT_FALSE(parsed.action) << line;
        EXPECT_NE(parsed.error, "") << line;
    }
}

}  // namespace
}  // namespace kt520::app
