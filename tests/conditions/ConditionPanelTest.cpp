// The condition panel: the read-back, the set-up for the instrument
// identified and the handlers of its groups.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(ShowConditions, ChoosesWhatEachCodeNamesThenTheLengths) {
    const std::string motifs = "38:_0.64,__3.2,_16.0,_25.4|39:1";
    // Every item with the code of the panel's first state.
    const std::string all =
        "READ=1:3|2:3|3:2|4:1|5:4|6:6|10:3|12:1|22:1|29:0|30:2|31:3|32:1|37:1|39:0|";
    expectScenarios({
        {"READ=1:4|2:L|3:2|4:3|5:6|6:5|32:4|12:1|30:3|31:4|22:0|10:1|37:2|29:0|13:__7.5|" + motifs,
         "CUT=4 SCT=6 CUV=2 FLT=3 STD=6 RNG=5 ORT=4 UNT=1 MTA=3 MTB=4 TRA=0 SPD=1 ART=2 FHL=0 "
         "LEN=7.5 ALEN=_0.64,__3.2,_16.0,_25.4 ANX=1 UNC= CHANGES=1"},
        // Codes that name no entry leave their groups alone; no length keeps the entry.
        {"MARK READ=1:A|6:2|30:1|31:_|3:L|38:", "SAME"},
        {"ID=2/1103/50.8/E READ=" + motifs, "ALEN=_0.64,__3.2,_16.0,_25.4 ANX=0"},
        {"ID=1/1102/50.8/E READ=" + motifs, "ALEN=,,, ANX=0"},
        // ... and their items unconfirmed until chosen or read back, unless
        // their groups offer nothing to choose (A for R, auto return before 1.004).
        {all + "1:9|10:X|30:1", "UNC=CUT,SPD CUT=3 SPD=3"},
        {all + "1:9|10:X CUT4", "UNC=SPD"},
        {all + "1:9 " + all, "UNC="},
        {all + "3:5|30:1", "UNC=MTA"},
        {"ID=0/1003/50.8/E " + all + "37:0", "UNC="},
        // The length is shown in the unit reported; inch without one converts the old entry.
        {all + "12:2|13:_0.09", "UNT=2 LEN=0.09 CHK=0"},
        {all + "12:2|13:_0.09 UNT1", "LEN=2.3"},
        {all + "12:2", "LEN=.16"},
        {all + "12:9|13:.5", "UNC=UNT LEN=4"},
    });
}

TEST(ConfigureFor, EachIdentificationOffersTheGroupsOfItsModelAndLanguage) {
    expectScenarios({
        {"ID=0/1003/50.8/J", "ART: F19=0 ALEN:0000 ALEN=,,, F18=0 ANX: UNT:1 VDA=0"},
        {"ID=0/1004/50.8/J", "ART:12 F19=0 ALEN:0000"},
        {"ID=1/1102/50.8/E", "ART:12 F19=0 ALEN:0000 ALEN=,,, F18=0 ANX: UNT:12"},
        {"ID=0/1003/50.8/E ID=2/1103/50.8/E", "ART:12 F19=1 ALEN:1111 F18=0 ANX:"},
        {"ID=0/1003/50.8/E ID=3/1307/50.8/E", "F19=1 ALEN:1111 F18=1 ANX:01"},
        // Every identification: "VDA" from 1311 on (kept after), inch by language,
        // and the drive the rules measure against; another model is not configured.
        {"ID=-1/1311/25.4/J CUT4 SCT5 CUT5", "VDA=1 UNT:1 SCT=3"},
        {"ID=-1/1003/50.8/E", "ART:12 F19=1"},
        {"ID=3/1311/50.8/E ID=3/1310/50.8/E", "VDA=1"},
    });
}

TEST(PanelHandlers, EachGroupsHandlerDoesItsPart) {
    const std::string shortDrive = "ID=3/1310/25.4/E CUT4 ";
    expectScenarios({
        // Eight millimetres on the short drive: three sections at most, and no travel.
        {shortDrive + "SCT5 CUT5", "SCT=3 TRA=0"},
        {shortDrive + "SCT3 CUT5", "SCT=3 TRA=0"},
        {shortDrive + "SCT1 CUT5", "SCT=1 TRA=1"},
        {"CUT4 SCT5 CUT5", "SCT=5 TRA=1"},
        // The motif limits go in pairs; B runs the rules, A alone does not.
        {"CUV5 MTA4", "MTB=5"},
        {"CUV6 MTB6", "MTA=5 SFX=5"},
        {"CUV6 MTB6 MTB3", "MTA=2 SFX=4"},
        {"CUV5 MTA4 CUV6 MTB!2", "MTA=4 MTB=2"},  // a placeholder from code has no A limit
        // Tilt compensation goes with the CSV files it works on.
        {"TILT1 CUW2", "KTM=1/0 F13=0 CUW=2"},
        {"TILT1 CUW2 CUW1", "KTM=1/1 F13=1"},
        // Under the lock the cut-off handler leaves the rules alone: 0.08 keeps every speed.
        {"LOCK CUT1", "CUT=1 LOCK=NG SFX=5 SPD:0134"},
        // Entries not offered, hidden or missing take no click; one notice per call.
        {"CUV5 MARK CUT1 SPD2 MTA1 CUV5", "SAME CHANGES=1"},
        {"DEFAULT ALEN5=1", "CHANGES=1 ALEN=0.64,3.2,16.0,25.4"},
        {"UNT2 ALEN2=9.99 DEFAULT", "ALEN=0.025,0.126,0.630,1.000"},
    });
}

}  // namespace
}  // namespace kt520::testing
