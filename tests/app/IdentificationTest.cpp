// Identification: the firmware table and the window configured by kind,
// drive ranges, and the Connect button.
#include <gtest/gtest.h>

#include "AppRig.h"

namespace kt520::testing {
namespace {

struct FirmwareCase {
    const char* version;
    std::int16_t romVersion;
    std::int16_t kind;
    const char* caption;  // lblCMT(3)
};

class FirmwareKinds : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(FirmwareKinds, ConfigureTheWindowForTheirKind) {
    const FirmwareCase& c = GetParam();
    AppRig rig;
    rig.instrumentOn(1, simulator(c.version));
    rig.start();
    // The panel rules of the condition read-back may move the controls on;
    // identify again to see the configuration itself.
    ASSERT_EQ(rig.main->identifyInstrument(), "OK");
    const ui::MainWindowModel& w = rig.main->window();

    EXPECT_EQ(rig.main->model().romVersion, c.romVersion);
    EXPECT_EQ(rig.main->model().modelKind, c.kind);
    EXPECT_EQ(w.lblCMT[3].caption, c.caption);
    EXPECT_EQ(w.cmdORG.enabled, c.kind >= 1);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(w.cmdMOV[i].enabled, c.kind >= 1) << i;
    EXPECT_EQ(w.optART[1].enabled, c.kind >= 1 || c.romVersion >= 1004);
    EXPECT_EQ(w.frmLAN[19].enabled, c.kind >= 2);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w.txtALEN[i].enabled, c.kind >= 2) << i;
        if (c.kind < 2) {
            EXPECT_EQ(w.txtALEN[i].text, "") << i;
        }
    }
    EXPECT_EQ(w.frmLAN[18].enabled, c.kind >= 3);
    EXPECT_EQ(w.optANX[0].enabled, c.kind >= 3);
    EXPECT_EQ(w.optANX[1].enabled, c.kind >= 3);
    EXPECT_EQ(w.optSTD[3].caption, c.romVersion >= 1311 ? "VDA" : "DIN 1990");
    EXPECT_TRUE(w.optUNT[2].enabled);  // English offers inch
    EXPECT_TRUE(rig.op.messages.empty()) << rig.op.messages.front().text;
}

INSTANTIATE_TEST_SUITE_P(Table, FirmwareKinds,
                         ::testing::Values(FirmwareCase{"1.003", 1003, 0, "KT-520 Ver1.003"},
                                           FirmwareCase{"1.100", 1100, 0, "KT-520 Ver1.1"},
                                           FirmwareCase{"1.101", 1101, 0, "KT-520 Ver1.101"},
                                           FirmwareCase{"1.102", 1102, 1, "KT-520 Ver1.102"},
                                           FirmwareCase{"1.103", 1103, 2, "KT-520 Ver1.103"},
                                           FirmwareCase{"1.306", 1306, 2, "KT-520 Ver1.306"},
                                           FirmwareCase{"1.307", 1307, 3, "KT-520 Ver1.307"},
                                           FirmwareCase{"1.311", 1311, 3, "KT-520 Ver1.311"}));

class DriveRanges : public ::testing::TestWithParam<std::pair<const char*, float>> {};

TEST_P(DriveRanges, OneAndTwoAreInches) {
    AppRig rig;
    rig.instrumentOn(1, simulator("1.311", GetParam().first));
    rig.start();
    EXPECT_FLOAT_EQ(rig.main->model().driveRange, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, DriveRanges,
                         ::testing::Values(std::pair{"1", 25.4f}, std::pair{"2", 50.8f},
                                           std::pair{"50", 50.0f}, std::pair{"1.5", 1.5f}));

TEST(Identification, AnotherModelIsNotConfiguredAndKt210StaysSilent) {
    AppRig rig;
    rig.start();  // nothing on any port
    rig.op.messages.clear();
    ScriptedPeer peer;
    peer.once("RDKT 00", identificationReply("KT520", "1.103"));
    peer.once("RDKT 00", identificationReply("KT520", "1.103"));
    rig.port.attach(1, peer);
    ASSERT_EQ(rig.main->link().openLink(1), "OK");
    rig.main->link().linkState = "OK";
    ASSERT_EQ(rig.main->identifyInstrument(), "OK");

    peer.once("RDKT 00", identificationReply("KT210", "1.311"));
    EXPECT_EQ(rig.main->announceIdentification(), "KT210");
    EXPECT_TRUE(rig.op.messages.empty());
    // The window keeps the configuration of the last KT520; the version still relabels VDA.
    EXPECT_EQ(rig.main->window().lblCMT[3].caption, "KT-520 Ver1.103");
    EXPECT_EQ(rig.main->model().modelKind, 2);
    EXPECT_EQ(rig.main->window().optSTD[3].caption, "VDA");

    peer.once("RDKT 00", identificationReply("AB123", "1.311"));
    EXPECT_EQ(rig.main->announceIdentification(), "NON");
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"It is not supported. "});
}

TEST(Identification, CardDataConfigureTheWindowTheSameWay) {
    AppRig rig;
    rig.main->configureFromCard("KT520", 1102);
    EXPECT_EQ(rig.main->model().modelKind, 1);
    EXPECT_EQ(rig.main->window().lblCMT[3].caption, "KT-520 Ver1.102");
    EXPECT_TRUE(rig.main->window().cmdORG.enabled);
    EXPECT_FALSE(rig.main->window().frmLAN[19].enabled);
}

TEST(Connect, AfterASuccessfulStartUpIsSilent) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    rig.main->window().cmdCONECT.click();
    EXPECT_TRUE(rig.op.messages.empty());
    EXPECT_EQ(rig.main->link().linkState, "OK");
    EXPECT_TRUE(rig.main->window().cmdSTART.enabled);
}

TEST(Connect, AfterAFailedOneAnnouncesTheConnectionAndReadsTheConditions) {
    AppRig rig;
    rig.instrumentOn(3);
    rig.start();
    ui::MainWindowModel& w = rig.main->window();

    w.cmbCOM.choose(4);  // COM5: nothing there
    w.cmdCONECT.click();
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"COM5: Cannot be connected to KT-520! "});
    EXPECT_EQ(rig.main->link().linkState, "NG");
    EXPECT_EQ(rig.main->announceConnect(), "1");
    for (const ui::CommandButton* b :
         {&w.cmdSTART, &w.cmdSTOP, &w.cmdCOND, &w.cmdRESULT, &w.cmdREAD})
        EXPECT_FALSE(b->enabled);
    EXPECT_TRUE(w.cmdEND.enabled);
    EXPECT_TRUE(w.cmdCARD.enabled);

    rig.op.messages.clear();
    w.optCUT.click(1);  // the read-back must put the instrument's cut-off back
    w.cmbCOM.choose(2);
    w.cmdCONECT.click();
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, "Connected to KT-520 ");
    EXPECT_EQ(rig.op.messages[0].title, "Information");
    EXPECT_EQ(rig.op.messages[0].icon, lang::MessageIcon::Information);
    EXPECT_EQ(rig.main->announceConnect(), "0");
    EXPECT_EQ(w.optCUT.selected(), 3);
    for (const ui::CommandButton* b :
         {&w.cmdSTART, &w.cmdSTOP, &w.cmdCOND, &w.cmdRESULT, &w.cmdREAD})
        EXPECT_TRUE(b->enabled);
}

}  // namespace
}  // namespace kt520::testing
