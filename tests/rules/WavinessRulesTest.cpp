// The waviness profile "W": fl must lie above fh, and with an arbitrary
// length both follow its band.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(WavinessLimits, OnlyFlAboveFhIsOfferedAndAnFlBelowMovesUp) {
    expectScenarios({
        {"CUV3 CUT1", "FHL=0 FHL:01234"},
        {"CUV3 CUT3", "FHL=0 FHL:034"},
        {"CUV3 CUT1 FHL2 CUT3", "FHL=3 FHL:034"},  // fl 0.8 is not above fh 0.8
        {"CUV3 CUT1 FHL3 CUT3", "FHL=3 FHL:034"},
        {"CUV3 CUT1 FHL4 CUT4", "FHL=4 FHL:04"},
        {"CUV3 CUT1 FHL2 CUT5", "FHL=0 FHL:0"},  // fh 8 leaves no fl but NON
    });
}

TEST(WavinessLengthRule, TheBandGivesFhAndFlAndOffersOnlyThem) {
    expectScenarios({
        // Without fl the band's own cut-off is fh, forced under the lock.
        {"CUV3 CUT5 SCT6 LEN=3", "CUT=3 CUT:3 FHL=0 FHL:02 SFX=5 LOCK=OK"},
        {"CUV3 CUT1 SCT6 LEN=3", "CUT=3 CUT:3 FHL=0 FHL:02 SFX=5 LOCK=OK"},
        {"CUV3 SCT6 LEN=20", "CUT=5 CUT:5 FHL:04"},
        {"CUV3 SCT6 LEN=20 LEN=0.7", "CUT=2 CUT:2 FHL:01"},
        {"CUV3 SCT6 LEN=20 LEN=10", "CUT=4 CUT:4 FHL:03"},
        // With fl the band's fl, and fh any cut-off below it.
        {"CUV3 CUT1 FHL4 CUT3 SCT6 LEN=3", "CUT=2 CUT:12 FHL=2 FHL:02 SFX=5 LOCK=OK"},
        {"CUV3 CUT1 FHL4 CUT4 SCT6 LEN=3 CUT1", "CUT=1 FHL=2"},
        {"CUV3 CUT1 FHL4 SCT6 LEN=10", "CUT=1 CUT:123 FHL=3 FHL:03"},
        // The shortest band: 0.08 and NON; the second: 0.08 and 0.25.
        {"CUV3 CUT1 FHL3 SCT6 LEN=0.2", "CUT=1 CUT:1 FHL=0 FHL:0 SFX=4 LOCK=OK"},
        {"CUV3 CUT1 FHL1 UNT2 SCT6 LEN=0.03", "CUT=1 CUT:1 FHL=1 FHL:01 SFX=4"},
        // In no band: nothing but NON is offered.
        {"CUV3 LEN=0.05 SCT6", "CUT=3 CUT: FHL=0 FHL:0 SFX=5 LOCK=OK"},
        // The run before a measurement leaves a settled panel as it is.
        {"CUV3 SCT6 LEN=0.7 MARK WLR", "SAME"},
    });
}

}  // namespace
}  // namespace kt520::testing
