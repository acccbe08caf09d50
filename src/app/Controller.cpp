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
    form_.cmdSTART.onClick = [this] { post(Action::Start); };
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
        form_.cmdMOV[i].onMouseDown = [this, i] { post(Action::JogPress, i); };
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
    for (int k = form_.txtALEN.first(); k <= form_.txtALEN.last(); ++k) {
        form_.txtALEN[k].onType = [this, k](const std::string& text) {
            onPanel([this, k, &text] { panel_.typeMotifLength(k, text); });
        };
    }
    form_.chkKTM.onClick = [this] {
        onPanel([this] { panel_.setTiltCompensation(!panel_.state().tiltCompensation); });
    };
}

void Controller::bindCardForm() {
    card_.cmdREAD.onClick = [this] { closeCardDialog(true); };
    card_.cmdCANCEL.onClick = [this] { closeCardDialog(false); };
    card_.chkKTM.onClick = [this] {
        card_.chkKTM.checked = !card_.chkKTM.checked;
        frontend_.formChanged();
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
    for (int port = 1; port <= session::kMaxPortNumber; ++port)
        form_.cmbCOM.items.push_back(portName(port));
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
    updateDriveButtons();
    frontend_.formChanged();
}

void Controller::connected(int portNumber, link::LinkState state) {
    if (state == link::LinkState::Connected) {
        form_.cmbCOM.text = portName(portNumber);
        form_.cmbCOM.listIndex = portNumber - 1;
    }
    ui::enableInstrumentButtons(form_, state == link::LinkState::Connected);
    frontend_.formChanged();
}

void Controller::actionStarted(session::Action) {}

void Controller::actionEnded(session::Action) {
    if (session_ && session_->idle()) frontend_.sessionIdle();
}

// While a run is busy only Stop is usable: the drive, Connect and Default
// wait with the command buttons.
void Controller::runBusy(bool busy) {
    runBusy_ = busy;
    if (busy) {
        ui::enterBusyState(form_);
    } else {
        ui::enterIdleState(form_);
    }
    updateDriveButtons();
    frontend_.formChanged();
}

void Controller::updateDriveButtons() {
    // Before any identification the buttons keep their design-time state.
    const bool driveOffered = modelKind_ < 0 || modelKind_ >= 1;
    form_.cmdORG.enabled = driveOffered && !runBusy_;
    for (int i = form_.cmdMOV.first(); i <= form_.cmdMOV.last(); ++i)
        form_.cmdMOV[i].enabled = driveOffered && !runBusy_;
    form_.cmdCONECT.enabled = !runBusy_;
    form_.cmdDefault.enabled = !runBusy_;
}

void Controller::runEnded(const measurement::RunRecord& record) {
    frontend_.runEnded(record);
    if (keeper_) keeper_->runEnded(record, session_->model());
}

void Controller::programEnds() {
    end(false);
}

void Controller::openCardDialog() {
    card_.shown = true;
    // The card browser starts where it was last left.
    card_.devDRIVE.caption = readFolderIni(dataFolder());
    card_.dirFOLDER.caption = card_.devDRIVE.caption;
    frontend_.formChanged();
    frontend_.cardDialogOpened();
}

void Controller::closeCardDialog(bool keepFolder) {
    if (keepFolder && !card_.dirFOLDER.caption.empty())
        writeFolderIni(dataFolder(), card_.dirFOLDER.caption);
    card_.shown = false;
    frontend_.formChanged();
}

void Controller::end(bool byOperator) {
    if (ended_) return;
    ended_ = true;
    frontend_.programEnds(byOperator);
}

}  // namespace kt520::app
