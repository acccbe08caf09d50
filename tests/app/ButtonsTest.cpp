// The operation states of the command buttons and the drive buttons.
#include <gtest/gtest.h>

#include "AppRig.h"
#include "ui/OperationStates.h"

namespace kt520::testing {
namespace {

std::vector<bool> sevenButtons(const ui::MainWindowModel& w) {
    return {w.cmdSTART.enabled, w.cmdSTOP.enabled, w.cmdRESULT.enabled, w.cmdCOND.enabled,
            w.cmdEND.enabled,   w.cmdREAD.enabled, w.cmdCARD.enabled};
}

TEST(OperationStates, BusyLeavesStopAsItWasAndIdleEnablesAllSeven) {
    ui::MainWindowModel w;
    ui::enterBusyState(w);
    EXPECT_EQ(sevenButtons(w), (std::vector<bool>{false, true, false, false, false, false, false}));
    w.cmdSTOP.enabled = false;
    ui::enterBusyState(w);
    EXPECT_FALSE(w.cmdSTOP.enabled);
    ui::enterIdleState(w);
    EXPECT_EQ(sevenButtons(w), std::vector<bool>(7, true));
}

TEST(OperationStates, DuringARunOnlyStopCanBePressed) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    ui::MainWindowModel& w = rig.main->window();
    bool sawBusy = false;
    rig.pump.onEvents = [&] {
        if (rig.main->runMode() != "WRSTA") return;
        sawBusy = true;
        EXPECT_EQ(sevenButtons(w),
                  (std::vector<bool>{false, true, false, false, false, false, false}));
    };
    w.cmdSTART.click();
    rig.pump.onEvents = nullptr;
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(sevenButtons(w), std::vector<bool>(7, true));
}

struct JogCase {
    int index;
    const char* sent;
};

class JogButtons : public ::testing::TestWithParam<JogCase> {};

TEST_P(JogButtons, PressAndReleaseSendTheirCommands) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    const std::size_t before = rig.port.written().size();
    rig.main->window().cmdMOV[GetParam().index].press();
    rig.main->window().cmdMOV[GetParam().index].release();
    EXPECT_EQ(rig.writtenSince(before), GetParam().sent);
    EXPECT_TRUE(rig.op.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, JogButtons,
                         ::testing::Values(JogCase{1, "WRSPD33\rWRESP\rWRSTP\r"},
                                           JogCase{2, "WRSPD44\rWRESP\rWRSTP\r"},
                                           JogCase{3, "WRSPD33\rWRRTN\rWRSTP\r"},
                                           JogCase{4, "WRSPD44\rWRRTN\rWRSTP\r"}));

TEST(DriveButtons, OriginReturnNeverStops) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    const std::size_t before = rig.port.written().size();
    rig.main->window().cmdORG.click();
    EXPECT_EQ(rig.writtenSince(before), "WRSPD45\rWRRTN\r");
}

TEST(DriveButtons, AreDisabledAndSilentOnFirmwareOfKindZero) {
    AppRig rig;
    rig.instrumentOn(1, simulator("1.101"));
    rig.start();
    const std::size_t before = rig.port.written().size();
    rig.main->window().cmdORG.click();
    rig.main->window().cmdMOV[2].press();
    rig.main->window().cmdMOV[2].release();
    EXPECT_EQ(rig.writtenSince(before), "");
}

TEST(DriveButtons, OnAFailedLinkEachCommandIsRefusedWithItsMessage) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    ui::MainWindowModel& w = rig.main->window();
    w.cmbCOM.choose(6);
    w.cmdCONECT.click();  // COM7: nothing there, linkState "NG"
    rig.op.messages.clear();
    const std::size_t before = rig.port.written().size();

    w.cmdMOV[1].press();
    w.cmdMOV[1].release();
    EXPECT_EQ(rig.writtenSince(before), "");
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>(3, "Communication is abnormal! "));
}

}  // namespace
}  // namespace kt520::testing
