// An arbitrary evaluation length ("L") picks the cut-off of its band and the
// speeds that band allows.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(LengthRule, TheBandsCutOffIsTheOnlyOneLeftWithTheSpeedsItAllows) {
    struct Case {
        std::string unit, length;
        int band;   // 0: in no band, and nothing but the text moves
        int speed;  // what is left of 1 mm/s chosen before the length is typed
        std::string drive = "50.8";
    };
    // clang-format off
    const Case cases[] = {
        {"mm", "0.09", 0, 4},  {"mm", "0.1", 1, 1},   {"mm", "0.5", 1, 1},    {"mm", "0.51", 2, 3},
        {"mm", "1.5", 2, 3},   {"mm", "1.51", 3, 3},  {"mm", "5", 3, 3},      {"mm", "5.01", 4, 4},
        {"mm", "15", 4, 4},    {"mm", "15.01", 5, 4}, {"mm", "50.8", 5, 4},   {"mm", "50.81", 0, 4},
        {"mm", "-3", 0, 4},    {"in", "0.009", 0, 4}, {"in", ".01", 1, 1},    {"in", "0.02", 1, 1},
        {"in", "0.021", 2, 3}, {"in", "0.05", 2, 3},  {"in", "0.051", 3, 4},  {"in", "0.19", 3, 4},
        {"in", "0.191", 4, 4}, {"in", "0.59", 4, 4},  {"in", "0.6", 5, 4},    {"in", "2", 5, 4},
        {"in", "2.01", 0, 4},
        // The travel is compared in single precision: typed 25.4 is above the
        // float 25.4 as a double. In inches it is rounded half to even: 2.5 gives 2.
        {"mm", "25.4", 5, 4, "25.4"}, {"mm", "25.41", 0, 4, "25.4"},
        {"in", "2", 5, 4, "63.5"},    {"in", "2.4", 0, 4, "63.5"}};
    // clang-format on
    const std::string speeds[] = {"", "SPD:01 SFX=4", "SPD:013 SFX=4", "SPD:0134 SFX=5"};
    for (const Case& c : cases) {
        const std::string band = std::to_string(c.band), speed = std::to_string(c.speed);
        expectScenarios({{"ID=3/1310/" + c.drive + "/E " + (c.unit == "in" ? "UNT2 " : "") +
                              "SCT6 LEN=junk SPD4 MARK LEN=" + c.length,
                          c.band ? "CUT=" + band + " CUT:" + band + " SPD=" + speed + " " +
                                       speeds[std::min(c.band, 3)]
                                 : "SAME"}});
    }
}

TEST(LengthRule, FollowsTheUnitAndLetsGoWhenTheLengthIsLeft) {
    expectScenarios({
        {"SCT6 LEN=12.7 UNT2", "LEN=.5 CUT=4"},  // the same band in inches
        {"SCT6 LEN=12.7 UNT2 LEN=0.04", "CUT=2"},
        {"SCT6 LEN=0.3 SCT3", "CUT:12345 CUT=1 SFX=4"},
        {"SCT6 LEN=0.3 SCT3 CUT3", "SFX=5"},
        // Only a complete entry runs the rule, not the "9" on the way to "99".
        {"SCT6 TYPE=9", "CUT=3"},
        {"SCT6 TYPE=9 ENTER", "CUT=4"},
        {"SCT6 TYPE=9 TYPE=99 ENTER", "CUT=3"},
    });
}

}  // namespace
}  // namespace kt520::testing
