// The speeds each profile and shortest limit allow, and how a chosen speed
// that is no longer offered moves down.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(SpeedRules, ProfileAndShortestLimitDecideTheSpeeds) {
    const std::string slow = "SPD:01 SFX=4 ", mid = "SPD:013 SFX=4 ", all = "SPD:0134 SFX=5 ";
    expectScenarios({
        {"SPD4 CUT1", slow + "SPD=1"},
        {"SPD0 CUT1", slow + "SPD=0"},
        {"SPD4 CUT2", mid + "SPD=3"},
        {"SPD1 CUT2", mid + "SPD=1"},
        {"SPD4 CUT3", all + "SPD=4"},
        {"SPD0 CUT4", all + "SPD=0"},
        {"SPD4 CUV1 CUT5", all + "SPD=4"},
        {"SPD4 CUV4 CUT1", slow + "SPD=1"},
        {"SPD4 CUV4 CUT2", mid + "SPD=3"},
        {"SPD4 CUV3 CUT1", slow + "SPD=1"},
        {"SPD4 CUV3 CUT2", mid + "SPD=3"},
        // The fl handler only records fl; the rules see it on their next run.
        {"SPD4 CUV3 CUT2 FHL3 RULES", all + "SPD=3"},
        {"SPD4 CUV3 CUT1 FHL1 RULES", mid + "SPD=1"},
        {"SPD4 CUV5", mid + "SPD=3"},
        {"SPD4 CUV5 MTA3", all + "SPD=3"},
        {"SPD4 CUV6", mid + "SPD=3"},
        {"SPD4 CUV6 MTB4", all + "SPD=3"},
        // Only the read-back chooses a hidden speed; 0.2 is below 0.5, 2 above it.
        {"CUT2 SPD!2 RULES", mid + "SPD=2"},
        {"CUT2 SPD!5 RULES", mid + "SPD=3"},
        {"CUT2 SPD!2 CUT1", slow + "SPD=1"},
    });
}

}  // namespace
}  // namespace kt520::testing
