// Which frames and options each profile offers, and which rule then decides
// the cut-off and speeds.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(OptionAvailability, EachProfileOffersTheFramesAndOptionsOfItsRow) {
    const std::string noMotifs = " F9=0 MTA: F10=0 MTB: ALEN:0000";
    const std::string filtered = "F4=1 FLT:123 F6=1 CUT:12345 F8=1 SCT:1356 F14=1 TRA:01 TRA=1";
    const std::string motifs =
        "F4=0 FLT: F6=0 CUT: CAP=Cut-Off F8=0 SCT: F16=0 FHL: F14=0 TRA: "
        "TRA=0 F9=1 F10=1 ALEN:1111 ";
    expectScenarios({
        {"CUV1", "F4=0 FLT: F6=1 CUT:12345 CAP=Cut-Off F8=1 SCT:1356 F16=0 FHL: F14=0 TRA: TRA=0" +
                     noMotifs},
        {"CUV2", filtered + " CAP=Cut-Off F16=0 FHL:" + noMotifs},
        {"CUV3", filtered + " CAP=fh F16=1 FHL:034" + noMotifs},
        {"CUV4", filtered + " CAP=Cut-Off F16=0 FHL:" + noMotifs},
        {"CUV5", motifs + "MTA:2345 MTB:"},
        {"CUV6", motifs + "MTA: MTB:3456"},
        {"CUV3 CUV2", "CAP=Cut-Off F16=0 FHL:"},
        // "L" turns pre/post travel off; a count gives it back but leaves it OFF.
        {"SCT6", "TRA=0 TRA: F14=0"},
        {"SCT6 SCT3", "TRA=0 TRA:01 F14=1"},
        // 3 mm: the length rule picks 0.5 mm/s; "W" keeps the speed table.
        {"SPD0 SCT6 LEN=3", "CUT=3 SPD=3"},
        {"SPD0 CUV3 SCT6 LEN=3", "CUT=3 SPD=0"},
        // R MOTIF has no sections: its A limit 0.02 decides the speeds, not the length.
        {"SCT6 LEN=0.3 CUV5", "CUT=1 CUT: SPD:013 SFX=4"},
    });
}

}  // namespace
}  // namespace kt520::testing
