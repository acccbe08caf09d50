// Start-up: the search of the ports, the window load and Exit.
#include <gtest/gtest.h>

#include "AppRig.h"

namespace kt520::testing {
namespace {

TEST(StartupSearch, FindsTheInstrumentOnPort3AfterTwoSilentPortsThatReportReady) {
    AppRig rig;
    ScriptedPeer& first = rig.silentOn(1, true);
    ScriptedPeer& second = rig.silentOn(2, true);
    rig.instrumentOn(3);
    rig.start();

    EXPECT_EQ(first.openings, 1);
    EXPECT_EQ(second.openings, 1);
    // Each ready port is given its settling second and the 3 s answer time.
    EXPECT_GE(rig.pump.now(), link::Millis{6000});
    EXPECT_EQ(rig.main->window().cmbCOM.text, "COM3");
    EXPECT_EQ(rig.main->window().cmbCOM.listIndex, 2);
    EXPECT_EQ(rig.main->link().linkState, "OK");
    EXPECT_EQ(rig.main->model().modelName, "KT520");
    EXPECT_EQ(rig.main->announceConnect(), "0");
    EXPECT_TRUE(rig.op.messages.empty()) << rig.op.messages.front().text;
    // The instrument's conditions are on the panel.
    EXPECT_FALSE(rig.main->conditions().fields.empty());
    EXPECT_EQ(rig.main->window().optCUT.selected(), 3);
}

TEST(StartupSearch, SilentPortsWithoutDeviceReadyCostAlmostNothing) {
    AppRig rig;
    ScriptedPeer& first = rig.silentOn(1, false);
    ScriptedPeer& second = rig.silentOn(2, false);
    rig.instrumentOn(3);
    rig.start();

    EXPECT_EQ(first.openings, 1);
    EXPECT_EQ(second.openings, 1);
    EXPECT_TRUE(first.commands.empty());
    EXPECT_TRUE(second.commands.empty());
    EXPECT_LT(rig.pump.now(), link::Millis{3000});
    EXPECT_EQ(rig.main->window().cmbCOM.text, "COM3");
    EXPECT_TRUE(rig.op.messages.empty());
}

TEST(StartupSearch, WithoutAnInstrumentTriesAllTwentyPortsAndSaysSoOnce) {
    AppRig rig;
    std::vector<ScriptedPeer*> ports;
    for (int port = 1; port <= app::kMaxPortNumber; ++port)
        ports.push_back(&rig.silentOn(port, true));
    rig.start();

    for (ScriptedPeer* peer : ports) EXPECT_EQ(peer->openings, 1);
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, "COM1: Cannot be connected to KT-520! ");
    EXPECT_EQ(rig.op.messages[0].title, "Warning");
    EXPECT_EQ(rig.op.messages[0].icon, lang::MessageIcon::Stop);
    EXPECT_EQ(rig.main->link().linkState, "NG");
    EXPECT_EQ(rig.main->window().cmbCOM.items.size(), 20u);
    EXPECT_EQ(rig.main->window().cmbCOM.items.front(), "COM1");
    EXPECT_EQ(rig.main->window().cmbCOM.items.back(), "COM20");
    // The window still opens and loads.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(rig.main->dataFolder() + "Folder.INI")));
}

TEST(StartupSearch, AKt210IsPassedOverSilentlyAndTheSearchGoesOn) {
    AppRig rig;
    ScriptedPeer kt210;
    // The opening check sees "KT52"; the model reply then names a KT210.
    kt210.once("RDKT 00", identificationReply("KT520", "1.311"));
    kt210.on("RDKT 00", identificationReply("KT210", "1.311"));
    rig.port.attach(1, kt210);
    rig.instrumentOn(4);
    rig.start();

    EXPECT_EQ(rig.main->window().cmbCOM.text, "COM4");
    EXPECT_FALSE(kt210.isOpen);
    EXPECT_TRUE(rig.op.messages.empty());
}

TEST(StartupSearch, AnUnknownModelStopsTheSearchWithItsMessage) {
    AppRig rig;
    ScriptedPeer other;
    other.on("RDKT 00", identificationReply("KT52X", "1.311"));
    rig.port.attach(2, other);
    rig.instrumentOn(5);
    rig.start();

    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"It is not supported. "});
    EXPECT_EQ(rig.main->link().linkState, "OK");
    EXPECT_NE(rig.main->window().cmbCOM.text, "COM5");
}

TEST(Exit, EndsTheProgramWithoutSerialTraffic) {
    AppRig rig;
    rig.instrumentOn(1);
    rig.start();
    const std::size_t before = rig.port.written().size();

    EXPECT_THROW(rig.main->window().cmdEND.click(), lang::ProgramEnded);
    EXPECT_TRUE(rig.op.ended);
    EXPECT_TRUE(rig.main->exitClicked());
    EXPECT_EQ(rig.writtenSince(before), "");
}

}  // namespace
}  // namespace kt520::testing
