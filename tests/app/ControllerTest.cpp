// The controller between the forms and the core: start-up (language file,
// folders, the search), the window's busy state during a run, and what the
// panel and the session report reaching the form.
#include <gtest/gtest.h>

#include "app/Controller.h"
#include "support/SessionRig.h"

namespace kt520::testing {
namespace {

struct RecordingFrontend : app::Frontend {
    void formChanged() override { ++changes; }
    void showMessage(const session::Message& message) override { messages.push_back(message.text); }
    void beep() override { ++beeps; }
    void runEnded(const measurement::RunRecord& record) override { published.push_back(record); }
    void sessionIdle() override { ++idles; }
    void cardDialogOpened() override { ++cardOpenings; }
    void programEnds(bool byOperator) override { ended = byOperator ? "operator" : "itself"; }

    int changes = 0;
    Texts messages;
    int beeps = 0;
    std::vector<measurement::RunRecord> published;
    int idles = 0;
    int cardOpenings = 0;
    std::string ended;
};

struct ControllerRig {
    explicit ControllerRig(const std::string& languageFile = "A:Output\r\nX:E\r\n",
                           const sim::SimConfig& config = {})
        : instrument(config) {
        if (!languageFile.empty()) {
            std::ofstream file(program.path() / "520Language.ini", std::ios::binary);
            file << languageFile;
        }
        line.attach(1, tap);
    }
    bool start() {
        const bool started = controller.start();
        settle();
        return started;
    }
    void settle() { loop.runUntilIdle(loop.now() + async::Millis{3'600'000}); }
    std::filesystem::path dataFolder() const { return data.path() / "Maker" / "KT"; }

    TemporaryFolder program;
    TemporaryFolder data;
    async::VirtualLoop loop;
    sim::Instrument instrument;
    Tap tap{instrument};
    link::InMemoryLine line{loop};
    RecordingFrontend frontend;
    async::InlineWorker worker{loop};
    app::Controller controller{
        loop, worker, line,
        app::Folders{program.path().string(), app::dataFolderAt(dataFolder().string())}, frontend};
    ui::MainForm& form = controller.form();
};

TEST(StartUp, ReadsTheLanguageFileMakesTheFoldersAndFindsTheInstrument) {
    ControllerRig rig(
        "A:Ausgabe\r\nD:Schnittstelle\r\nW:Neigung\r\nY:Titel\r\nX:J\r\nA:Output 2\r\n");
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(rig.form.lblLAN[1].caption, "Output 2");  // the last line wins
    EXPECT_EQ(rig.form.frmLAN[1].caption, "Schnittstelle");
    EXPECT_EQ(rig.form.frmLAN[19].caption, "MOTIF-L");  // no key: the design caption
    EXPECT_EQ(rig.form.chkKTM.caption, "Neigung");
    EXPECT_EQ(rig.controller.card().chkKTM.caption, "Neigung");
    EXPECT_EQ(rig.form.caption, "Titel");
    EXPECT_EQ(rig.form.cmdSTART.fontName, "ＭＳゴシック");
    EXPECT_FALSE(rig.form.optUNT[2].enabled);  // no inch in Japanese
    EXPECT_EQ(rig.form.cmbCOM.items.size(), 20u);
    EXPECT_EQ(rig.form.cmbCOM.text, "COM1");
    EXPECT_EQ(rig.form.lblCMT[3].caption, "KT-520 Ver1.311");
    EXPECT_EQ(fileText(rig.dataFolder() / "Folder.INI"), "C\\:\r\n");
    EXPECT_EQ(rig.frontend.messages, Texts{});
    EXPECT_EQ(rig.frontend.idles, 1);
}

TEST(StartUp, WithoutTheLanguageFileTheProgramEndsBeforeAnyPortOpens) {
    ControllerRig rig("");
    EXPECT_FALSE(rig.start());
    EXPECT_EQ(rig.frontend.messages, Texts{"There is not a languagefile"});
    EXPECT_EQ(rig.frontend.ended, "itself");
    EXPECT_TRUE(rig.tap.sent.empty());
}

// While a run is busy only Stop is usable; afterwards every button is back,
// the drive buttons as the firmware allows them, and Default with its frame
// (the models of kind 0 and 1, as firmware 1.101 gives, have no motif lengths).
TEST(BusyState, DuringARunOnlyStopCanBePressed) {
    for (const char* firmware : {"1.311", "1.101"}) {
        SCOPED_TRACE(firmware);
        sim::SimConfig config;
        config.firmwareVersion = firmware;
        ControllerRig rig("X:E\r\n", config);
        ASSERT_TRUE(rig.start());
        const bool driveOffered = std::string(firmware) != "1.101";
        std::vector<ui::CommandButton*> others = {
            &rig.form.cmdSTART, &rig.form.cmdRESULT, &rig.form.cmdCOND,  &rig.form.cmdEND,
            &rig.form.cmdREAD,  &rig.form.cmdCARD,   &rig.form.cmdCONECT};
        std::vector<ui::CommandButton*> drive = {&rig.form.cmdORG, &rig.form.cmdMOV[1],
                                                 &rig.form.cmdMOV[4], &rig.form.cmdDefault};
        bool checkedBusy = false;
        rig.tap.onCommand = [&](const std::string& command, link::Millis) {
            if (command != "WRSTA") return;
            checkedBusy = true;
            EXPECT_TRUE(rig.form.cmdSTOP.enabled);
            for (auto* button : others) EXPECT_FALSE(button->enabled) << button->caption;
            for (auto* button : drive) EXPECT_FALSE(button->enabled) << button->caption;
        };
        rig.form.cmdSTART.click();
        rig.settle();
        EXPECT_TRUE(checkedBusy);
        for (auto* button : others) EXPECT_TRUE(button->enabled) << button->caption;
        for (auto* button : drive) EXPECT_EQ(button->enabled, driveOffered) << button->caption;
        EXPECT_EQ(rig.frontend.published.size(), 1u);
    }
}

TEST(Form, ShowsWhatThePanelAndTheSessionReport) {
    ControllerRig rig;
    ASSERT_TRUE(rig.start());
    rig.form.optCUV.click(3);  // W: the cut-off frame means fh
    EXPECT_EQ(rig.form.frmLAN[6].caption, "fh");
    EXPECT_TRUE(rig.form.optCUV[3].selected);

    rig.form.optSCT.click(6);
    rig.form.txtLENG.type("0.09");  // below every band: refused at Start
    rig.form.cmdSTART.click();
    rig.settle();
    EXPECT_EQ(rig.frontend.beeps, 2);  // too short, and two decimals
    EXPECT_EQ(rig.form.txtLENG.selLength, 255);
    EXPECT_EQ(rig.form.lblCMT[4].caption,
              "Not started: L \"0.09\" is out of range: allowed 0.1-50 mm. L \"0.09\" has too "
              "many decimals: at most 1, allowed 0.1-50 mm.");
    EXPECT_EQ(rig.form.txtLENG.toolTip, "0.1-50mm 0.01'-2'");
    EXPECT_EQ(rig.tap.count("WRSTA"), 0);

    rig.form.cmbCOM.choose(4);
    rig.form.cmdCONECT.click();
    rig.settle();
    EXPECT_EQ(rig.frontend.messages, Texts{"COM5: Cannot be connected to KT-520! "});
    EXPECT_FALSE(rig.form.cmdSTART.enabled);
    EXPECT_TRUE(rig.form.cmdCARD.enabled);
}

TEST(CardDialog, OpensOnTheLastFolderAndKeepsTheOneReadFrom) {
    ControllerRig rig;
    ASSERT_TRUE(rig.start());
    rig.form.cmdCARD.click();
    EXPECT_EQ(rig.frontend.cardOpenings, 1);
    EXPECT_EQ(rig.controller.card().dirFOLDER.caption, "C\\:");
    rig.controller.card().dirFOLDER.caption = "/media/card";
    rig.controller.card().cmdREAD.click();
    EXPECT_FALSE(rig.controller.card().shown);
    EXPECT_EQ(fileText(rig.dataFolder() / "Folder.INI"), "/media/card\r\n");
    rig.form.cmdEND.click();
    EXPECT_EQ(rig.frontend.ended, "operator");
}

}  // namespace
}  // namespace kt520::testing
