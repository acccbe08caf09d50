#include "app/Controller.h"

#include <charconv>

#include "app/LanguageApplication.h"
#include "lang/InternalFault.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageFonts.h"
#include "ui/OperationStates.h"
#include "ui/PanelForm.h"

namespace kt520::app {
namespace {

using session::Action;

constexpr int kStatusItem = 4;
constexpr int kVersionItem = 3;
constexpr int kFirstPort = 1;

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

Controller::Controller(async::EventLoop& loop, async::Worker& worker, link::SerialLine& line,
                       Folders folders, Frontend& frontend)
    : loop_(loop),
      worker_(worker),
      line_(line),
      folders_(std::move(folders)),
      frontend_(frontend),
      rules_(panel_) {
    panel_.setRules(rules_);
    panel_.setObserver(this);
    bindMainForm();
    bindCardForm();
    ui::showPanel(panel_.state(), form_);
}

Controller::~Controller() {
    // The session goes first: its abandoned operation must not report to a half-gone controller.
    session_.reset();
    panel_.setObserver(nullptr);
}

void Controller::bindMainForm() {
    form_.cmdCONECT.onClick = [this] { post(Action::Connect, form_.cmbCOM.listIndex + 1); };
    form_.cmdSTART.onClick = [this] {
        // A length still being typed is complete once Start is clicked.
        onPanel([this] { panel_.enterLength(); });
        post(Action::Start);
    };
    form_.cmdREAD.onClick = [this] { post(Action::Read); };
    form_.cmdSTOP.onClick = [this] {
        if (session_) session_->stop();
    };
    form_.cmdRESULT.onClick = [this] { post(Action::ResultRead); };
    form_.cmdCOND.onClick = [this] { post(Action::ConditionRead); };
    form_.cmdCARD.onClick = [this] { openCardDialog(); };
    form_.cmdEND.onClick = [this] { end(true); };
    form_.cmdORG.onClick = [this] { post(Action::Origin); };
    for (int i = form_.cmdMOV.first(); i <= form_.cmdMOV.last(); ++i) {
        form_.cmdMOV[i].onMouseDown = [this, i] {
            heldJog_ = i;
            post(Action::JogPress, i);
        };
        form_.cmdMOV[i].onMouseUp = [this] { post(Action::JogRelease); };
    }
    form_.cmdDefault.onClick = [this] { onPanel([this] { panel_.restoreMotifLengths(); }); };

    for (ui::OptionArray* array : form_.optionArrays()) {
        const std::optional<conditions::Item> item = ui::itemOfArray(form_, *array);
        if (!item) continue;
        array->onClick = [this, item = *item](int code) {
            onPanel([this, item, code] { panel_.click(item, code); });
        };
    }
    form_.txtLENG.onType = [this](const std::string& text) {
        onPanel([this, &text] { panel_.typeLength(text); });
    };
    form_.txtLENG.onEntered = [this] { onPanel([this] { panel_.enterLength(); }); };
    for (int k = form_.txtALEN.first(); k <= form_.txtALEN.last(); ++k) {
        form_.txtALEN[k].onType = [this, k](const std::string& text) {
            onPanel([this, k, &text] { panel_.typeMotifLength(k, text); });
        };
    }
    form_.chkKTM.onClick = [this] {
        onPanel([this] { panel_.setTiltCompensation(!panel_.state().tiltCompensation); });
    };
}

bool Controller::start() {
    if (!loadLanguageFile()) return false;
    fillPortList();
    catalog_.load(languageCode_);
    createMissingFolders(folders_.data);
    createFolderIniIfMissing(dataFolder());
    if (keeper_) keeper_->open();
    session_ = std::make_unique<session::Session>(
        session::Session::Parts{loop_, worker_, line_, panel_, catalog_, *this,
                                std::filesystem::path(folders_.data.chain.back()), languageCode_});
    // The window is shown while the search runs: it says so, and offers
    // nothing that needs the instrument until one is found.
    connection_ = Connection::Searching;
    form_.lblCMT[kVersionItem].caption = catalog_.programText(lang::ProgramText::Searching);
    updateButtons();
    frontend_.formChanged();
    post(Action::Search);
    return true;
}

bool Controller::loadLanguageFile() {
    const lang::LanguageFile file =
        lang::readLanguageFile(folders_.programFolder + "/" + std::string(lang::kLanguageFileName));
    if (!file.found) {
        // The catalog is not filled yet, so this text is fixed.
        frontend_.showMessage({std::string(lang::kMissingLanguageFileText),
                               std::string(lang::kMissingLanguageFileTitle), session::Icon::Stop});
        end(false);
        return false;
    }
    applyLanguageCaptions(file, form_, card_);
    languageCode_ = file.languageCode;
    if (lang::needsJapaneseFace(languageCode_)) applyJapaneseFont(form_, card_);
    return true;
}

void Controller::fillPortList() {
    form_.cmbCOM.items.clear();
    for (int port = kFirstPort; port <= session::kMaxPortNumber; ++port)
        form_.cmbCOM.items.push_back(portName(port));
    // Until the search finds the instrument, Connect tries the first port.
    form_.cmbCOM.choose(kFirstPort - 1);
}

void Controller::post(Action action, int argument) {
    if (session_ && !ended_) session_->post({action, argument, {}});
}

void Controller::onPanel(const std::function<void()>& change) {
    if (ended_) return;
    try {
        change();
    } catch (const lang::InternalFault&) {
        showMessage({catalog_.internalError(), catalog_.boxTitle(1), session::Icon::Stop});
        end(false);
    }
}

void Controller::panelChanged() {
    ui::showPanel(panel_.state(), form_);
    updateButtons();
    frontend_.formChanged();
}

void Controller::showMessage(const session::Message& message) {
    frontend_.showMessage(message);
}

void Controller::lengthRefused() {
    frontend_.beep();
    form_.txtLENG.setFocus();
    form_.txtLENG.selStart = 0;
    form_.txtLENG.selLength = 255;
    frontend_.formChanged();
}

void Controller::statusText(const std::string& text) {
    form_.lblCMT[kStatusItem].caption = text;
    frontend_.formChanged();
}

void Controller::statusList(const std::vector<std::string>& lines) {
    form_.lstSTATUS.items = lines;
    frontend_.formChanged();
}

void Controller::progress(const session::Progress& progress) {
    form_.progressBar1.min = 0;
    form_.progressBar1.max = progress.maximum;
    form_.progressBar1.value = progress.value;
    form_.progressBar1.visible = progress.visible;
    frontend_.formChanged();
}

void Controller::identified(const link::ModelInfo& model, bool isKt520) {
    if (!isKt520) return;
    form_.lblCMT[kVersionItem].caption = "KT-520 Ver" + versionText(model.romVersion);
    modelKind_ = model.modelKind;
    updateButtons();
    frontend_.formChanged();
}

// The port box shows the port tried, whether or not the instrument answered there.
void Controller::connected(int portNumber, link::LinkState state) {
    form_.cmbCOM.choose(portNumber - 1);
    if (state == link::LinkState::Connected) {
        connection_ = Connection::Connected;
        updateButtons();
    } else {
        showNotConnected();
    }
    frontend_.formChanged();
}

void Controller::showNotConnected() {
    connection_ = Connection::NotConnected;
    form_.lblCMT[kVersionItem].caption = catalog_.programText(lang::ProgramText::NotConnected);
    updateButtons();
}

void Controller::actionStarted(session::Action action) {
    if (action != Action::JogPress) return;
    statusText(
        catalog_.programText(lang::ProgramText::DriveMoving, form_.cmdMOV[heldJog_].caption));
}

void Controller::actionEnded(session::Action action) {
    if (action == Action::Search && connection_ == Connection::Searching) {
        showNotConnected();
        frontend_.formChanged();
    }
    if (action == Action::JogRelease)
        statusText(catalog_.programText(lang::ProgramText::DriveStopped));
    if (session_ && session_->idle()) frontend_.sessionIdle();
}

// While a run is busy only Stop is usable: the drive, Connect and Default
// wait with the command buttons. Default also goes with its frame, MOTIF-L.
void Controller::runBusy(bool busy) {
    runBusy_ = busy;
    updateButtons();
    frontend_.formChanged();
}

void Controller::updateButtons() {
    const bool connected = connection_ == Connection::Connected;
    if (runBusy_) {
        ui::enterBusyState(form_);
    } else {
        ui::enterIdleState(form_);
        ui::enableInstrumentButtons(form_, connected);
    }
    // The oldest firmware (model kind 0) has no drive commands.
    const bool driveOffered = connected && modelKind_ >= 1 && !runBusy_;
    form_.cmdORG.enabled = driveOffered;
    for (int i = form_.cmdMOV.first(); i <= form_.cmdMOV.last(); ++i)
        form_.cmdMOV[i].enabled = driveOffered;
    form_.cmdCONECT.enabled = !runBusy_;
    form_.cmdDefault.enabled =
        !runBusy_ && panel_.state().frames.enabled(conditions::Frame::MotifLengths);
}

void Controller::runEnded(const measurement::RunRecord& record) {
    frontend_.runEnded(record);
    if (keeper_) keeper_->runEnded(record, session_->model());
}

void Controller::programEnds() {
    end(false);
}

void Controller::end(bool byOperator) {
    if (ended_) return;
    ended_ = true;
    frontend_.programEnds(byOperator);
}

}  // namespace kt520::app
