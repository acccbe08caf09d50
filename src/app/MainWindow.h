#pragma once
// fomMAIN's controller: owns the window models and every piece of the
// program, runs the start-up (language, captions, port list, catalog, the
// search for the instrument) and the window load (data folder, "Folder.INI"),
// and binds the connection, card, exit and drive buttons. The serial port, the
// event pump and the operator come from outside, so the same controller runs
// under the desktop, the headless driver and the tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/DataFolder.h"
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "conditions/ConditionReadCommand.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/DriveUnit.h"
#include "link/EventPump.h"
#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "link/SerialPort.h"
#include "measurement/MeasurementRun.h"
#include "measurement/ProfileData.h"
#include "rules/ConditionRules.h"
#include "ui/MainWindowModel.h"

namespace kt520::app {

struct Folders {
    std::string programFolder;  // holds "520Language.ini"
    DataFolder data;
};

inline constexpr int kMaxPortNumber = 20;

class MainWindow {
  public:
    MainWindow(link::SerialPort& port, link::EventPump& pump, lang::Operator& op, Folders folders);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Window creation: language file and captions, the port list, the message
    // catalog, then the search of ports 1 to 20. Throws lang::ProgramEnded
    // when the language file is missing.
    void initialize();
    // Window load: the data folder chain and "Folder.INI", each only when missing.
    void load();

    // "RDKT 00" into ModelInfo and the window configured for the model:
    // "OK" (a KT520), "KT210", or "NON".
    std::string identifyInstrument();
    // identifyInstrument, then the operator is told the result.
    std::string announceIdentification();
    // The same window configuration for model data taken from a card file.
    void configureFromCard(const std::string& modelName, std::int16_t romVersion);
    // The Condition Read button's flow: identify again, check the instrument
    // is idle, read the conditions and show them on the panel.
    void readConditionsIntoPanel();

    ui::MainWindowModel& window() { return window_; }
    const ui::MainWindowModel& window() const { return window_; }
    ui::CardDialogModel& card() { return card_; }
    const ui::CardDialogModel& card() const { return card_; }
    link::InstrumentLink& link() { return link_; }
    const link::InstrumentLink& link() const { return link_; }
    const link::ModelInfo& model() const { return model_; }
    const lang::MessageCatalog& catalog() const { return catalog_; }
    const std::string& languageCode() const { return languageCode_; }
    const std::string& announceConnect() const { return announceConnect_; }
    const std::string& programFolder() const { return folders_.programFolder; }
    std::string dataFolder() const { return folders_.data.path(); }
    const conditions::ConditionSet& conditions() const { return conditions_; }
    measurement::MeasurementRun& run() { return *run_; }
    const std::string& runMode() const { return run_->runMode; }
    // True once the operator's Exit ended the program (not a failure at start-up).
    bool exitClicked() const { return exitClicked_; }
    lang::Operator& operatorSide() { return operator_; }
    link::EventPump& pump() { return pump_; }

    // Shows fomCARD modally once it is marked shown: the desktop runs its
    // dialog here; without it the dialog stays open until it is closed.
    std::function<void()> showCardDialog;

  private:
    void bindButtons();
    void loadLanguageFile();
    void applyLanguageFonts();
    void fillPortList();
    void searchForInstrument();
    void setPortShown(int portNumber);

    void connectClicked();
    void applyIdentity(bool isKt520);
    void configureWindow();
    void openCardDialog();
    void closeCardDialog(bool keepFolder);

    link::EventPump& pump_;
    lang::Operator& operator_;
    Folders folders_;

    ui::MainWindowModel window_;
    ui::CardDialogModel card_;
    lang::MessageCatalog catalog_;
    std::string languageCode_;
    std::string announceConnect_ = "0";

    link::InstrumentLink link_;
    link::ModelInfo model_;
    link::DriveUnit drive_;
    rules::ConditionRules rules_;
    conditions::ConditionLayouts layouts_;
    conditions::ConditionSet conditions_;
    conditions::ConditionPanel panel_;
    measurement::ProfileData profile_;
    conditions::ConditionReadCommand conditionRead_;
    std::unique_ptr<measurement::MeasurementRun> run_;
    bool exitClicked_ = false;
};

}  // namespace kt520::app
