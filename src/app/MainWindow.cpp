#include "app/MainWindow.h"

#include <charconv>

#include "app/LanguageApplication.h"
#include "lang/LanguageFonts.h"
#include "link/Identification.h"
#include "ui/OperationStates.h"

namespace kt520::app {
namespace {

// BoxTitles entries: "Warning" and "Information" in the catalog's language.
constexpr int kWarningTitle = 1;
constexpr int kInformationTitle = 2;

// 1103 -> "1.103", 1100 -> "1.1": the shortest text that reads back the same.
std::string versionText(std::int16_t romVersion) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, romVersion / 1000.0);
    return std::string(buffer, result.ptr);
}

std::string portName(int portNumber) {
    return "COM" + std::to_string(portNumber);
}

}  // namespace

MainWindow::MainWindow(link::SerialPort& port, link::EventPump& pump, lang::Operator& op,
                       Folders folders)
    : pump_(pump),
      operator_(op),
      folders_(std::move(folders)),
      link_(port, pump, op, catalog_),
      drive_(link_),
      rules_(window_, model_, op, catalog_),
      panel_(window_, model_, rules_),
      conditionRead_({link_, layouts_, conditions_, panel_, operator_, catalog_, model_,
                      profile_.outputFileName, [this] { return announceIdentification(); }}) {
    run_ = std::make_unique<measurement::MeasurementRun>(measurement::MeasurementRun::Parts{
        window_, link_, pump_, operator_, catalog_, model_, conditions_, layouts_, panel_, rules_,
        profile_, languageCode_, std::filesystem::path(folders_.data.chain.back()),
        [this] { return announceIdentification(); }, [this] { announceConnect_ = "0"; }});
    panel_.installHandlers();
    run_->installHandlers();
    bindButtons();
}

void MainWindow::bindButtons() {
    window_.cmdCONECT.onClick = [this] { connectClicked(); };
    window_.cmdCOND.onClick = [this] { readConditionsIntoPanel(); };
    window_.cmdCARD.onClick = [this] { openCardDialog(); };
    window_.cmdEND.onClick = [this] {
        exitClicked_ = true;
        lang::endProgramNow(operator_);
    };
    window_.cmdORG.onClick = [this] { drive_.originReturn(); };
    for (int i = window_.cmdMOV.first(); i <= window_.cmdMOV.last(); ++i) {
        window_.cmdMOV[i].onMouseDown = [this, i] { drive_.jogPress(i); };
        window_.cmdMOV[i].onMouseUp = [this] { drive_.jogRelease(); };
    }
    card_.cmdREAD.onClick = [this] { closeCardDialog(true); };
    card_.cmdCANCEL.onClick = [this] { closeCardDialog(false); };
}

void MainWindow::initialize() {
    announceConnect_ = "0";
    loadLanguageFile();
    applyLanguageFonts();
    fillPortList();
    catalog_.load(languageCode_);
    searchForInstrument();
}

void MainWindow::load() {
    createMissingFolders(folders_.data);
    createFolderIniIfMissing(dataFolder());
}

void MainWindow::loadLanguageFile() {
    const lang::LanguageFile file =
        lang::readLanguageFile(folders_.programFolder + "/" + std::string(lang::kLanguageFileName));
    if (!file.found) {
        // The catalog is not filled yet, so this text is fixed.
        operator_.showMessage(std::string(lang::kMissingLanguageFileText),
                              std::string(lang::kMissingLanguageFileTitle),
                              lang::MessageIcon::Stop);
        lang::endProgramNow(operator_);
    }
    applyLanguageCaptions(file, window_, card_);
    languageCode_ = file.languageCode;
}

void MainWindow::applyLanguageFonts() {
    if (lang::needsJapaneseFace(languageCode_)) applyJapaneseFont(window_, card_);
}

void MainWindow::fillPortList() {
    window_.cmbCOM.items.clear();
    for (int port = 1; port <= kMaxPortNumber; ++port)
        window_.cmbCOM.items.push_back(portName(port));
}

void MainWindow::setPortShown(int portNumber) {
    window_.cmbCOM.text = portName(portNumber);
    window_.cmbCOM.listIndex = portNumber - 1;
}

void MainWindow::searchForInstrument() {
    int port = 1;
    bool found = false;
    for (; port <= kMaxPortNumber; ++port) {
        link_.linkState = link_.openLink(port);
        if (link_.linkState != "OK") continue;
        ui::enterIdleState(window_);
        const std::string result = announceIdentification();
        if (result == "OK") {
            found = true;
            break;
        }
        if (result == "NG" || result == "NON") break;
        // Another model answered: free the port so that the next one can open.
        link_.closeLink();
    }
    if (found) {
        layouts_.prepareConditionLayouts(model_.romVersion);
        setPortShown(port);
        readConditionsIntoPanel();
        announceConnect_ = "0";
    }
    if (link_.linkState == "NG" && port >= kMaxPortNumber)
        operator_.showMessage(catalog_.message(1), catalog_.boxTitle(kWarningTitle),
                              lang::MessageIcon::Stop);
}

void MainWindow::connectClicked() {
    if (link_.isOpen()) link_.closeLink();
    const int port = window_.cmbCOM.listIndex + 1;
    link_.linkState = link_.openLink(port);
    if (link_.linkState == "OK") {
        announceIdentification();
        ui::enableInstrumentButtons(window_, true);
    } else if (link_.linkState == "NG") {
        operator_.showMessage(portName(port) + catalog_.message(2),
                              catalog_.boxTitle(kWarningTitle), lang::MessageIcon::Stop);
        ui::enableInstrumentButtons(window_, false);
        announceConnect_ = "1";
    }
}

std::string MainWindow::identifyInstrument() {
    link_.sendCommand("RDKT 00");
    const std::string reply = link_.readReply();
    model_ = link::parseIdentification(reply, model_);
    const bool isKt520 = model_.modelName == "KT520";
    applyIdentity(isKt520);
    if (isKt520) return "OK";
    return model_.modelName == "KT210" ? "KT210" : "NON";
}

void MainWindow::configureFromCard(const std::string& modelName, std::int16_t romVersion) {
    model_.modelName = modelName;
    model_.romVersion = romVersion;
    const bool isKt520 = modelName == "KT520";
    if (isKt520) model_.modelKind = link::modelKindFor(romVersion);
    applyIdentity(isKt520);
}

void MainWindow::applyIdentity(bool isKt520) {
    if (isKt520) configureWindow();
    if (model_.romVersion >= 1311) window_.optSTD[3].caption = "VDA";
    if (languageCode_ == "E") window_.optUNT[2].enabled = true;
    if (languageCode_ == "J") window_.optUNT[2].enabled = false;
}

void MainWindow::configureWindow() {
    window_.lblCMT[3].caption = "KT-520 Ver" + versionText(model_.romVersion);
    rules_.applyOptionRules();
    panel_.switchUnitCaptions();

    const int kind = model_.modelKind;
    window_.cmdORG.enabled = kind >= 1;
    for (int i = window_.cmdMOV.first(); i <= window_.cmdMOV.last(); ++i)
        window_.cmdMOV[i].enabled = kind >= 1;
    for (int i : window_.optART.indexes()) {
        if (kind >= 1)
            window_.optART[i].enabled = true;
        else if (model_.romVersion < 1004)
            window_.optART[i].enabled = false;
    }
    window_.frmLAN[19].enabled = kind >= 2;
    for (int i = window_.txtALEN.first(); i <= window_.txtALEN.last(); ++i) {
        window_.txtALEN[i].enabled = kind >= 2;
        if (kind < 2) window_.txtALEN[i].setText("");
    }
    window_.frmLAN[18].enabled = kind >= 3;
    for (int i : window_.optANX.indexes()) window_.optANX[i].enabled = kind >= 3;
}

std::string MainWindow::announceIdentification() {
    const std::string result = identifyInstrument();
    if (result == "OK") {
        if (announceConnect_ == "1") {
            operator_.showMessage(catalog_.message(6), catalog_.boxTitle(kInformationTitle),
                                  lang::MessageIcon::Information);
            // Silent from here on, so that the read's own identification stays quiet.
            announceConnect_ = "0";
            readConditionsIntoPanel();
        }
    } else if (result == "NG") {
        operator_.showMessage(catalog_.message(7), catalog_.boxTitle(kWarningTitle),
                              lang::MessageIcon::Stop);
    } else if (result == "NON") {
        operator_.showMessage(catalog_.message(8), catalog_.boxTitle(kWarningTitle),
                              lang::MessageIcon::Stop);
    }
    return result;
}

void MainWindow::readConditionsIntoPanel() {
    if (conditionRead_.run().identification == "OK") announceConnect_ = "0";
}

void MainWindow::openCardDialog() {
    card_.shown = true;
    // The card browser starts where it was last left.
    card_.devDRIVE.caption = readFolderIni(dataFolder());
    card_.dirFOLDER.caption = card_.devDRIVE.caption;
    if (showCardDialog) showCardDialog();
}

void MainWindow::closeCardDialog(bool keepFolder) {
    if (keepFolder && !card_.dirFOLDER.caption.empty())
        writeFolderIni(dataFolder(), card_.dirFOLDER.caption);
    card_.shown = false;
}

}  // namespace kt520::app
