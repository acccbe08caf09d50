// The language file on the windows, and the data folder with "Folder.INI".
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "AppRig.h"

namespace kt520::testing {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(LanguageFile, SetsTheCaptionsOfBothWindows) {
    AppRig rig(
        "A:Ausgabe\r\nD:Schnittstelle\r\nT:Rueckkehr\r\nU:LESEN\r\nV:ABBRUCH\r\n"
        "W:Neigung: aus\r\nY:Titel\r\nX:E\r\nnonsense line\r\nA:Output 2\r\n");
    rig.start();
    const ui::MainWindowModel& w = rig.main->window();
    EXPECT_EQ(w.lblLAN[1].caption, "Output 2");  // the last line wins
    EXPECT_EQ(w.lblLAN[2].caption, "Conditions");
    EXPECT_EQ(w.frmLAN[1].caption, "Schnittstelle");
    EXPECT_EQ(w.frmLAN[17].caption, "Rueckkehr");
    EXPECT_EQ(w.frmLAN[18].caption, "ANX");  // frames without a key keep their captions
    EXPECT_EQ(w.frmLAN[19].caption, "MOTIF-L");
    EXPECT_EQ(rig.main->card().cmdREAD.caption, "LESEN");
    EXPECT_EQ(rig.main->card().cmdCANCEL.caption, "ABBRUCH");
    EXPECT_EQ(w.chkKTM.caption, "Neigung: aus");
    EXPECT_EQ(rig.main->card().chkKTM.caption, "Neigung: aus");
    EXPECT_EQ(w.caption, "Titel");
    EXPECT_EQ(rig.main->languageCode(), "E");
    EXPECT_EQ(w.fontName, "");
    EXPECT_EQ(w.cmdSTART.fontName, "");
}

TEST(LanguageFile, XJSelectsJapaneseWithItsFaceAndNoInch) {
    AppRig rig("X:J\r\n");
    rig.instrumentOn(2);
    rig.start();
    const ui::MainWindowModel& w = rig.main->window();
    EXPECT_EQ(rig.main->languageCode(), "J");
    EXPECT_EQ(rig.main->catalog().message(1), "COM1にKT-520が接続されていません！");
    EXPECT_EQ(w.fontName, "ＭＳゴシック");
    EXPECT_EQ(w.optCUT[3].fontName, "ＭＳゴシック");
    EXPECT_EQ(w.cmdMOV[4].fontName, "ＭＳゴシック");
    EXPECT_EQ(w.lblCMT[4].fontName, "ＭＳゴシック");
    EXPECT_EQ(rig.main->card().filLIST.fontName, "ＭＳゴシック");
    EXPECT_FALSE(w.optUNT[2].enabled);
}

TEST(LanguageFile, ABlankBeforeTheCodeIsNeitherLanguage) {
    AppRig rig("X: J\r\n");
    rig.start();
    EXPECT_EQ(rig.main->languageCode(), " J");
    EXPECT_EQ(rig.main->window().fontName, "");
    // Nothing answered, and the empty catalog makes the box empty too.
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, "");
}

TEST(LanguageFile, MissingEndsTheProgramBeforeAnyPortIsOpened) {
    AppRig rig("");
    ScriptedPeer& peer = rig.silentOn(1, true);
    EXPECT_THROW(rig.main->initialize(), lang::ProgramEnded);
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, "There is not a languagefile");
    EXPECT_EQ(rig.op.messages[0].title, "Warning");
    EXPECT_EQ(rig.op.messages[0].icon, lang::MessageIcon::Stop);
    EXPECT_TRUE(rig.op.ended);
    EXPECT_FALSE(rig.main->exitClicked());
    EXPECT_EQ(peer.openings, 0);
}

TEST(DataFolder, TheChainIsCreatedLevelByLevelAndFolderIniOnce) {
    QTemporaryDir root;
    const std::string base = root.path().toStdString();
    const app::DataFolder folder{
        {base + "/a", base + "/a/Korvane Profilux", base + "/a/Korvane Profilux/KT-520"}};
    app::createMissingFolders(folder);
    ASSERT_TRUE(QDir(QString::fromStdString(folder.chain.back())).exists());
    EXPECT_EQ(folder.path(),
              QDir::toNativeSeparators(QString::fromStdString(folder.chain.back())).toStdString() +
                  std::string(1, QDir::separator().toLatin1()));

    app::createFolderIniIfMissing(folder.path());
    const QString ini = QString::fromStdString(folder.path()) + "Folder.INI";
    EXPECT_EQ(contents(ini), QByteArray("C\\:\r\n"));

    // A second start changes nothing that exists.
    ASSERT_TRUE(app::writeFolderIni(folder.path(), "E:\\cards"));
    app::createMissingFolders(folder);
    app::createFolderIniIfMissing(folder.path());
    EXPECT_EQ(contents(ini), QByteArray("E:\\cards\r\n"));
    EXPECT_EQ(app::readFolderIni(folder.path()), "E:\\cards");
}

TEST(DataFolder, TheDefaultEndsInTheMakerAndProductFolders) {
    const app::DataFolder folder = app::defaultDataFolder();
    ASSERT_EQ(folder.chain.size(), 3u);
    EXPECT_TRUE(QString::fromStdString(folder.chain[2]).endsWith("Korvane Profilux/KT-520"));
}

TEST(CardDialog, OpensOnTheLastFolderAndKeepsTheOneReadFrom) {
    AppRig rig;
    rig.start();
    ui::CardDialogModel& card = rig.main->card();
    int shown = 0;
    rig.main->showCardDialog = [&] { ++shown; };

    rig.main->window().cmdCARD.click();
    EXPECT_TRUE(card.shown);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(card.devDRIVE.caption, "C\\:");
    card.cmdCANCEL.click();
    EXPECT_FALSE(card.shown);

    rig.main->window().cmdCARD.click();
    card.dirFOLDER.caption = "/media/card";
    card.cmdREAD.click();
    EXPECT_FALSE(card.shown);
    EXPECT_EQ(app::readFolderIni(rig.main->dataFolder()), "/media/card");
}

}  // namespace
}  // namespace kt520::testing
