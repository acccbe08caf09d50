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
                           const sim::SimConfig& config = {}, bool instrumentOnLine = true)
        : instrument(config) {
        if (!languageFile.empty()) {
            std::ofstream file(program.path() / "520Language.ini", std::ios::binary);
            file << languageFile;
        }
        if (instrumentOnLine) line.attach(1, tap);
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

// The window is shown during the search; with no instrument found only
// Connect, Card and Exit are offered, and the version label says why.
TEST(StartUp, WithoutAnInstrumentOnlyConnectCardAndExitWork) {
    ControllerRig rig("X:E\r\n", {}, false);
    ASSERT_TRUE(rig.controller.start());
    EXPECT_EQ(rig.form.lblCMT[3].caption, "Searching for the KT-520 ...");
    EXPECT_FALSE(rig.form.cmdSTART.enabled);
    rig.settle();
    EXPECT_EQ(rig.form.lblCMT[3].caption, "Not connected");
    EXPECT_EQ(rig.form.cmbCOM.text, "COM1");
    for (const ui::CommandButton* button :
         {&rig.form.cmdSTART, &rig.form.cmdSTOP, &rig.form.cmdREAD, &rig.form.cmdRESULT,
          &rig.form.cmdCOND, &rig.form.cmdORG, &rig.form.cmdMOV[1], &rig.form.cmdMOV[4]})
        EXPECT_FALSE(button->enabled) << button->caption;
    for (const ui::CommandButton* button :
         {&rig.form.cmdCONECT, &rig.form.cmdCARD, &rig.form.cmdEND})
        EXPECT_TRUE(button->enabled) << button->caption;
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

    rig.form.cmdMOV[2].press();  // the status says the drive moves while the button is held
    rig.settle();
    EXPECT_EQ(rig.form.lblCMT[4].caption, "Drive moving: Esc Fast");
    rig.form.cmdMOV[2].release();
    rig.settle();
    EXPECT_EQ(rig.form.lblCMT[4].caption, "Drive stopped.");

    rig.form.cmbCOM.choose(4);
    rig.form.cmdCONECT.click();
    rig.settle();
    EXPECT_EQ(rig.frontend.messages, Texts{"COM5: Cannot be connected to KT-520! "});
    EXPECT_EQ(rig.form.cmbCOM.text, "COM5");
    EXPECT_EQ(rig.form.lblCMT[3].caption, "Not connected");
    EXPECT_FALSE(rig.form.cmdSTART.enabled);
    EXPECT_FALSE(rig.form.cmdMOV[2].enabled);  // the drive of a model found before
}

TEST(CardDialog, BrowsesTheLastFolderAndReadsTheChosenMeasurement) {
    ControllerRig rig;
    ASSERT_TRUE(rig.start());
    TemporaryFolder card;
    std::filesystem::create_directory(card.path() / "Sub");
    std::filesystem::create_directory(card.path() / "Sub" / "Deeper");
    // A measurement on the card, saved by the simulated instrument.
    sim::SimConfig config;
    config.cardFolder = card.path().string();
    {
        SessionRig instrument(config);
        instrument.connect();
        instrument.act(Action::Start);
    }
    std::filesystem::rename(card.path() / "KT000001.SMB", card.path() / "kt000001.smb");
    ASSERT_TRUE(app::writeFolderIni(rig.controller.dataFolder(), (card.path() / "Sub").string()));

    ui::CardForm& dialog = rig.controller.card();
    rig.form.cmdCARD.click();
    EXPECT_EQ(rig.frontend.cardOpenings, 1);
    EXPECT_EQ(dialog.dirFOLDER.text, (card.path() / "Sub").string());
    EXPECT_EQ(dialog.dirFOLDER.items, (Texts{"..", "Deeper"}));
    std::filesystem::remove(card.path() / "Sub" / "Deeper");
    dialog.dirFOLDER.choose(1);  // gone meanwhile: the folder cannot be read
    EXPECT_EQ(rig.frontend.messages, Texts{"Please insert a disk into drive."});
    EXPECT_EQ(dialog.dirFOLDER.text, (card.path() / "Sub").string());
    dialog.dirFOLDER.choose(0);
    EXPECT_EQ(dialog.filLIST.items, Texts{"kt000001.smb"});
    dialog.filLIST.choose(0);
    dialog.chkKTM.click();
    dialog.cmdREAD.click();
    rig.settle();

    EXPECT_FALSE(dialog.shown);
    EXPECT_EQ(fileText(rig.dataFolder() / "Folder.INI"), card.path().string() + "\r\n");
    ASSERT_EQ(rig.frontend.published.size(), 1u);
    EXPECT_EQ(rig.frontend.published[0].outcome, measurement::RunRecord::Outcome::Written);
    EXPECT_EQ(rig.frontend.published[0].files.size(), 5u);
    EXPECT_TRUE(
        rig.form.lblCMT[4].caption.starts_with("Finished: the data files are written "
                                               "from the card file kt000001.smb"));

    // Again without the dialog's tilt compensation: the heights keep their tilt.
    rig.form.cmdCARD.click();
    dialog.filLIST.choose(0);
    dialog.chkKTM.click();
    dialog.cmdREAD.click();
    rig.settle();
    ASSERT_EQ(rig.frontend.published.size(), 2u);
    EXPECT_NE(rig.frontend.published[1].measured, rig.frontend.published[0].measured);
}

}  // namespace
}  // namespace kt520::testing
