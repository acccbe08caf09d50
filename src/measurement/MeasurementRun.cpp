#include "measurement/MeasurementRun.h"

#include <chrono>
#include <utility>

#include "conditions/ConditionReader.h"
#include "conditions/ConditionSender.h"
#include "measurement/ConditionListing.h"
#include "measurement/ExpectedPoints.h"
#include "measurement/ProfileTransfer.h"
#include "measurement/ResultReader.h"
#include "profile/NumberText.h"
#include "profile/ProfileFilters.h"
#include "ui/OperationStates.h"

namespace kt520::measurement {
namespace {

// The link has already told the operator; the run only has to unwind.
struct LineLost {};

constexpr int kStatusPosition = 3;
constexpr int kDataStatusPosition = 4;

constexpr int kTitleWarning = 1;
constexpr int kTitleInformation = 2;
constexpr int kMessageNotFinished = 3;
constexpr int kMessageWait = 4;
constexpr int kMessageNoData = 10;
constexpr int kMessageOriginMove = 14;

constexpr int kStatusMeasuredProfile = 1;
constexpr int kStatusNoData = 7;
constexpr int kStatusEvaluationProfile = 8;
constexpr int kStatusLabel = 4;

constexpr int kFilterItem = 4;
constexpr int kUnitItem = 12;

constexpr float kMicroinchesPerMicrometre = 39.37f;
constexpr link::Millis kStopSettle{1000};

// Measuring, calculating, printing, escaping, busy, stopped at a limit.
bool instrumentBusy(const std::string& status) {
    return status == "1" || status == "2" || status == "3" || status == "4" || status == "5" ||
           status == "7";
}

}  // namespace

MeasurementRun::MeasurementRun(Parts parts) : p_(std::move(parts)) {}

void MeasurementRun::installHandlers() {
    p_.window.cmdSTART.onClick = [this] { start(); };
    p_.window.cmdREAD.onClick = [this] { read(); };
    p_.window.cmdSTOP.onClick = [this] { stop(); };
    p_.window.cmdRESULT.onClick = [this] { resultRead(); };
}

void MeasurementRun::start() {
    if (p_.announceIdentification && p_.announceIdentification() == "OK") {
        p_.layouts.prepareConditionLayouts(p_.model.romVersion);
        if (p_.onIdentified) p_.onIdentified();
    }
    const ui::MainWindowModel& window = p_.window;
    const bool arbitraryLength = window.optSCT.isSelected(6);
    if (arbitraryLength && window.optSCT[6].enabled && p_.rules.checkLengthEntry() == "NG") return;
    if (arbitraryLength && window.optCUV.isSelected(3)) p_.rules.applyWavinessLengthRule();
    runMeasurement(RunKind::NewMeasurement);
}

void MeasurementRun::read() {
    try {
        if (instrumentBusy(status(kStatusPosition))) return warn(kMessageNotFinished);
        if (runMode == "WRSTP") return warn(kMessageNoData);
        readConditionsIntoPanel();
    } catch (const LineLost&) {
        return;
    }
    runMode = "DRSTA";
    runMeasurement(RunKind::ExistingData);
}

void MeasurementRun::stop() {
    runMode = "WRSTP";
    p_.link.setTextMode();
    const link::Millis until = p_.pump.now() + kStopSettle;
    while (p_.pump.now() < until) p_.pump.processEvents();
    p_.link.sendCommand("WRSTP");
}

void MeasurementRun::resultRead() {
    try {
        if (instrumentBusy(status(kStatusPosition))) return warn(kMessageWait);
    } catch (const LineLost&) {
        return;
    }
    p_.profile.outputFileName = "Parameter.csv";
    readResults(p_.link, p_.window.lstSTATUS, p_.profile);
}

void MeasurementRun::runMeasurement(RunKind kind) {
    ui::enterBusyState(p_.window);
    files_.discard();
    try {
        measure(kind);
        publishFiles();
    } catch (const LineLost&) {
        files_.discard();
        runMode = "WRSTP";
        p_.window.progressBar1.visible = false;
        p_.link.setTextMode();
    }
    ui::enterIdleState(p_.window);
}

void MeasurementRun::measure(RunKind kind) {
    if (instrumentBusy(status(kStatusPosition))) return warn(kMessageNotFinished);

    const std::string sent = conditions::sendConditions(p_.link, p_.window, p_.model);
    ensureLine();
    if (sent == "NG") return warn(kMessageNotFinished);

    readConditionsIntoPanel();
    sendChannelCommand("WRNUM  100");
    sendChannelCommand("WRCAN0000100");
    p_.profile.outputFileName = "Measured.csv";

    if (kind == RunKind::NewMeasurement && !startMeasurement()) return;

    p_.profile.profileFlag = 0;
    p_.window.lblCMT[kStatusLabel].caption = p_.catalog.statusText(kStatusMeasuredProfile);
    if (!transferring()) return;
    if (p_.window.optCUW.isSelected(1)) fetchProfile();

    pollUntilIdle();
    const std::string dataStatus = status(kDataStatusPosition);
    if (runMode == "WRSTP" || dataStatus == "0") {
        p_.window.lblCMT[kStatusLabel].caption = p_.catalog.statusText(kStatusNoData);
        return;
    }
    retrieveData();
}

// False when the measurement did not start and the run ends here.
bool MeasurementRun::startMeasurement() {
    const std::string s = status(kStatusPosition);
    const int kind = p_.model.modelKind;
    if (s == "6" && kind == 0) {
        p_.op.showMessage(p_.catalog.message(kMessageOriginMove),
                          p_.catalog.boxTitle(kTitleInformation), lang::MessageIcon::Information);
        p_.link.sendCommand("WRSTA");
        return false;
    }
    const bool ready =
        (s == "0" && kind == 0) || ((s == "0" || s == "6") && kind >= 1 && kind <= 3);
    if (!ready) {
        warn(kMessageNotFinished);
        return false;
    }
    p_.link.sendCommand("WRSTA");
    const std::string reply = p_.link.checkReply("WRSTA");
    ensureLine();
    runMode = reply == "NG" ? "WRSTP" : "WRSTA";
    return true;
}

void MeasurementRun::sendChannelCommand(const char* command) {
    p_.link.sendCommand(command);
    p_.link.readTextReply();
    ensureLine();
}

void MeasurementRun::readConditionsIntoPanel() {
    p_.conditions = conditions::readConditions(p_.link, p_.layouts, p_.op, p_.catalog);
    ensureLine();
    p_.panel.showConditions(p_.conditions, p_.layouts.items);
}

void MeasurementRun::fetchProfile() {
    const ui::MainWindowModel& window = p_.window;
    const int expected = expectedPoints(
        {window.optCUV.isSelected(5) || window.optCUV.isSelected(6), p_.conditions,
         p_.layouts.items, p_.model, static_cast<ProfileKind>(p_.profile.profileFlag)},
        p_.op, p_.catalog);
    transferProfile(p_.link, p_.window.progressBar1, p_.profile, runMode, expected);
    ensureLine();
}

void MeasurementRun::pollUntilIdle() {
    for (;;) {
        const std::string s = status(kStatusPosition);
        if (s == "0" || s == "6" || s == "ERR") return;
        if (s == "7") {
            warn(kMessageNotFinished);
            runMode = "WRSTP";
            return;
        }
        if (s < "1" || s > "5" || s.size() != 1) internalError();
        p_.window.lblCMT[kStatusLabel].caption = p_.catalog.statusText(s[0] - '0' + 1);
        p_.pump.processEvents();
        // A Stop clicked while the events ran ends the polling here.
        if (runMode == "WRSTP") return;
    }
}

void MeasurementRun::retrieveData() {
    ProfileData& profile = p_.profile;
    if (p_.window.optCUW.isSelected(2)) {
        profile.clearOutputLines();
        readResults(p_.link, p_.window.lstSTATUS, profile);
        ensureLine();
        return;
    }

    profile::replaceFirstChar(profile.outputLines, ',', ".");
    const profile::TextList measured(profile.outputLines.begin(),
                                     profile.outputLines.begin() + profile.pointCount + 1);

    p_.window.lblCMT[kStatusLabel].caption = p_.catalog.statusText(kStatusEvaluationProfile);
    sendChannelCommand("WRCAN0000101");
    profile.outputFileName = "Evaluation.csv";
    profile.profileFlag = 1;
    fetchProfile();
    profile::replaceFirstChar(profile.outputLines, ',', ".");
    convertToMicroinches();
    writeOutputFile(profile, files_);

    const int evaluationPoints = profile.linesWritten;
    profile::extractEvaluationWindow(
        conditions::itemText(p_.conditions, p_.layouts.items, kFilterItem), measured,
        profile.outputLines, evaluationPoints);
    if (p_.window.chkKTM.checked) profile::tiltCorrect(profile.outputLines, profile.pointCount);
    convertToMicroinches();
    profile.outputFileName = "Measured.csv";
    writeOutputFile(profile, files_);

    profile.clearOutputLines();
    readResults(p_.link, p_.window.lstSTATUS, profile);
    ensureLine();
    profile.outputFileName = "Parameter.csv";
    writeOutputFile(profile, files_);

    writeConditionFile();
}

// The condition record's fields, one per line, then the condition listing.
void MeasurementRun::writeConditionFile() {
    ProfileData& profile = p_.profile;
    profile.clearOutputLines();
    p_.conditions = conditions::readConditions(p_.link, p_.layouts, p_.op, p_.catalog);
    ensureLine();
    profile.outputFileName = "Condition.csv";

    std::size_t line = 0;
    const auto add = [&](const std::string& text) {
        if (++line < profile.outputLines.size()) profile.outputLines[line] = text;
    };
    for (std::size_t k = 1; k < p_.conditions.fields.size(); ++k) add(p_.conditions.fields[k]);
    const ListingSource source{p_.conditions, p_.layouts.items, p_.model.romVersion,
                               p_.languageCode};
    for (const std::string& text : conditionListingLines(source, p_.op, p_.catalog)) add(text);
    writeOutputFile(profile, files_);
}

void MeasurementRun::convertToMicroinches() {
    if (!inchUnit()) return;
    ProfileData& profile = p_.profile;
    for (std::int32_t i = 1; i <= profile.pointCount; ++i) {
        std::string& point = profile.outputLines[static_cast<std::size_t>(i)];
        if (point.empty()) continue;
        point = profile::numberText(profile::readValue(point) * kMicroinchesPerMicrometre);
    }
}

void MeasurementRun::publishFiles() {
    if (files_.empty()) return;
    const std::string failure = files_.publish(p_.dataFolder);
    // The catalog has no text for a full disk; the status list tells the operator.
    if (!failure.empty()) p_.window.lstSTATUS.items.push_back("Not saved: " + failure);
}

void MeasurementRun::ensureLine() const {
    if (p_.link.lineFailed() || p_.link.commandRefused()) throw LineLost{};
}

std::string MeasurementRun::status(int position) {
    std::string s = p_.link.queryStatus(position);
    ensureLine();
    return s;
}

bool MeasurementRun::inchUnit() const {
    return conditions::itemText(p_.conditions, p_.layouts.items, kUnitItem) == "2";
}

void MeasurementRun::warn(int message) {
    p_.op.showMessage(p_.catalog.message(message), p_.catalog.boxTitle(kTitleWarning),
                      lang::MessageIcon::Stop);
}

void MeasurementRun::internalError() {
    p_.op.showMessage(p_.catalog.internalError(), p_.catalog.boxTitle(kTitleWarning),
                      lang::MessageIcon::Stop);
    lang::endProgramNow(p_.op);
}

}  // namespace kt520::measurement
