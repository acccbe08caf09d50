// The write commands for what the panel shows, in their order.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(ConditionCommands, OneCommandPerGroupInOrderWithTheirEdgeCases) {
    const std::string tail = "|WRM_A2|WRM_B3|WRTRA1|WRART1|WRSPD35";
    expectScenarios({
        {"", "CMD=WRUNT1|WRCUT33|WRSTD4|WRFIL21|WRRAN61" + tail},
        {"ID=0/1003/50.8/E",
         "CMD=WRUNT1|WRCUT33|WRSTD4|WRFIL21|WRRAN61|WRM_A2|WRM_B3|WRTRA1|WRSPD35"},
        // "L": the cut-off pair, and the length in sixteen characters while "L" is offered.
        {"SCT6 LEN=10",
         "CMD=WRUNT1|WRCUT41|WRCUT4L|WRSTD4|WRFIL21|WRRAN61|WRL__1___10_____|WRM_A2|"
         "WRM_B3|WRTRA0|WRART1|WRSPD35"},
        {"SCT6 LEN=_12.5_", "C:WRL__1_12.5_____"},
        {"SCT6 LEN=123456", "C:WRL__123456_____"},
        {"SCT6 LEN=", "C:WRL__1__________"},
        {"UNT2 SCT6 LEN=.5", "C:WRUNT2 C:WRL__2___.5_____"},
        {"SCT6 CUV5 DEFAULT",
         "CMD=WRUNT1|WRCUT31|WRCUT3L|WRSTD4|WRFIL54|WRRAN61|WRM_A2|WRM_B3|"
         "WRTRA0|WRART1|WRSPD34|WRML__0.64,__3.2,_16.0,_25.4|WRMET0"},
        // P and the motif profiles are measured without filter, whatever it shows.
        {"FLT3 CUV1", "C:WRFIL14"},
        {"FLT3", "C:WRFIL23"},
        {"FLT3 CUV3", "C:WRFIL33"},
        {"FLT3 CUV4", "C:WRFIL43"},
        {"FLT3 CUV5", "C:WRFIL54"},
        {"FLT3 CUV6", "C:WRFIL64"},
        // Placeholders chosen from code send what they are.
        {"SCT5 STD1 RNG7 ORT4 TRA0 MTA!0 MTB!2 SPD!5",
         "CMD=WRUNT1|WRCUT35|WRSTD1|WRFIL21|WRRAN74|WRM_A|WRM_B2|WRTRA0|WRART1|WRSPD55"},
        // The long-wave limit goes one above the cut-off.
        {"CUV3 FHL3 ART2", "C:WRFHL43 C:WRART2"},
        {"CUV3 CUT1", "C:WRFHL20"},
        // The motif lengths from kind 2, the last five of a long one; ANX from kind 3.
        {"CUV6 MTB4 ANX1 DEFAULT ALEN2=_3.2_ ALEN4=0.0254",
         "CMD=WRUNT1|WRCUT33|WRSTD4|WRFIL64|WRRAN61|WRM_A3|WRM_B4|WRTRA0|WRART1|WRSPD35|"
         "WRML__0.64,__3.2,_16.0,.0254|WRMET1"},
        {"ID=2/1103/50.8/E CUV5 DEFAULT",
         "CMD=WRUNT1|WRCUT33|WRSTD4|WRFIL54|WRRAN61|WRM_A2|WRM_B3|WRTRA0|WRART1|WRSPD34|"
         "WRML__0.64,__3.2,_16.0,_25.4"},
        {"ID=1/1102/50.8/E CUV5",
         "CMD=WRUNT1|WRCUT33|WRSTD4|WRFIL54|WRRAN61|WRM_A2|WRM_B3|WRTRA0|"
         "WRART1|WRSPD34"},
    });
}

}  // namespace
}  // namespace kt520::testing
