#include "sim/Instrument.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "card/CardFolder.h"
#include "sim/ProfileAnalysis.h"

namespace kt520::sim {

namespace {

// 28800 baud, a start bit, 8 data bits, parity and a stop bit.
constexpr double kByteTimeMs = 11.0 * 1000.0 / 28800.0;
constexpr double kTurnaroundMs = 2.0;
constexpr double kCalculationMs = 1500.0;
constexpr double kReturnSpeedMmPerS = 4.0;  // origin return and auto return
constexpr std::size_t kOverlongReplyBytes = 70000;
constexpr std::size_t kInputBufferBytes = 256;

std::string errorReply(InstrumentError error) {
    const int n = static_cast<int>(error);
    return std::string("NG") + static_cast<char>('0' + n / 10) + static_cast<char>('0' + n % 10) +
           '\r';
}

const std::string kAccepted = "OK\r";

void appendBigEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

bool parseBlankPadded(std::string_view field, int& value) {
    const auto first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    field = field.substr(first);
    auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc{} && ptr == field.data() + field.size();
}

}  // namespace

Instrument::Instrument(const SimConfig& config)
    : config_(config),
      limits_{config.romVersion(), config.driveRangeMm()},
      workpiece_(config.seed),
      faults_(config.faults),
      line_(kByteTimeMs / config.speedFactor) {}

void Instrument::setFaults(Faults faults) {
    faults_ = FaultPlan(std::move(faults));
    stuckBusy_ = false;
}

void Instrument::hostOpened(bool /*open*/) {
    // Opening or closing the port drops what was on its way either way.
    line_.clear();
    inbox_.clear();
    inboxOverflow_ = false;
}

void Instrument::receiveFromHost(std::string_view bytes, link::Millis now) {
    if (line_.closed()) return;
    for (char c : bytes) {
        // Each byte reaches the instrument one byte time after the one before.
        inboxArrivalMs_ =
            std::max(inboxArrivalMs_, static_cast<double>(now.count())) + line_.byteTimeMs();
        if (c != '\r') {
            // A command longer than the instrument's input buffer is refused whole.
            if (inbox_.size() < kInputBufferBytes)
                inbox_ += c;
            else
                inboxOverflow_ = true;
            continue;
        }
        std::string command;
        command.swap(inbox_);
        if (inboxOverflow_) command = "?";
        inboxOverflow_ = false;
        handleCommand(command, inboxArrivalMs_);
    }
}

std::string Instrument::takeForHost(link::Millis now) {
    const double nowMs = static_cast<double>(now.count());
    advanceTo(nowMs);
    return line_.take(nowMs);
}

std::optional<link::Millis> Instrument::arrivalOf(std::size_t count, link::Millis now) {
    advanceTo(static_cast<double>(now.count()));
    const std::optional<double> arrival =
        line_.arrivalOf(count, static_cast<double>(link::kArrivalPause.count()));
    if (!arrival) return std::nullopt;
    // Whole milliseconds, never before the byte is there.
    return link::Millis{static_cast<link::Millis::rep>(std::ceil(*arrival + 1e-6))};
}

char Instrument::status(link::Millis now) {
    advanceTo(static_cast<double>(now.count()));
    return statusChar();
}

double Instrument::stylusPositionMm(link::Millis now) {
    const double nowMs = static_cast<double>(now.count());
    advanceTo(nowMs);
    return positionAt(std::max(nowMs, clockMs_));
}

void Instrument::handleCommand(const std::string& command, double atMs) {
    advanceTo(atMs);
    double readyAt = atMs + kTurnaroundMs / config_.speedFactor;
    const std::vector<FaultRule> firing = faults_.firingFor(command);
    for (const FaultRule& f : firing) {
        if (f.kind == FaultKind::NoAnswer) return;
        if (f.kind == FaultKind::StuckBusy) stuckBusy_ = true;
        if (f.kind == FaultKind::Refuse) {
            line_.send("NG" + f.errorCode + '\r', readyAt);
            return;
        }
    }
    std::string reply = execute(command, atMs);
    bool closes = false;
    for (const FaultRule& f : firing) {
        switch (f.kind) {
            case FaultKind::Late:
                readyAt += f.delayMs;
                break;
            case FaultKind::Garbage:
                reply = "?\x7f#%@\r";
                break;
            case FaultKind::Truncate:
                reply.resize(reply.size() / 2);
                break;
            case FaultKind::CloseLine:
                reply.resize(reply.size() / 2);
                closes = true;
                break;
            case FaultKind::Overlong:
                reply = std::string(kOverlongReplyBytes, '#') + '\r';
                break;
            case FaultKind::HugeBlock:
                reply = "OK";
                appendBigEndian(reply, static_cast<std::uint32_t>(f.blockPoints), 2);
                reply.append(4 * static_cast<std::size_t>(f.blockPoints), '\0');
                reply += '\r';
                break;
            default:
                break;
        }
    }
    line_.send(std::move(reply), readyAt, closes);
}

std::string Instrument::execute(const std::string& command, double atMs) {
    const std::string_view tag = std::string_view(command).substr(0, 5);
    const std::string_view argument =
        command.size() > 5 ? std::string_view(command).substr(5) : std::string_view{};
    // "WRSPD44" and "WRSPD45" are drive speeds when a motion follows, and
    // measuring speeds otherwise: a motion undoes their measuring speed.
    if ((command == "WRESP" || command == "WRRTN") && speedBeforeDriveCommand_) {
        conditions_.speed = *speedBeforeDriveCommand_;
    }
    speedBeforeDriveCommand_.reset();

    if (command == "RDKT 00") return identification();
    if (command == "RDSTU00") return statusReply();
    if (command == "RDCON00") {
        return "OK" + conditionRecord(conditions_, samplingPlan().pitchLevel, limits_.romVersion) +
               '\r';
    }
    if (command == "RDRES00") return resultsReply();
    if (command == "RDDTB00") return blockReply(atMs);
    if (command == "WRSTA") return start(atMs);
    if (command == "WRSTP") return stop(atMs);
    if (command == "WRESP") return move(+1, atMs);
    if (command == "WRRTN") return move(-1, atMs);
    if (tag == "WRNUM" || tag == "WRCAN") return channelCommand(tag, argument);
    if (tag == "WRSPD" && (argument == "33" || argument == "44" || argument == "45") &&
        limits_.romVersion >= 1102) {
        return driveSpeed(argument);
    }
    MeasuringConditions changed = conditions_;
    const InstrumentError error = applyConditionCommand(changed, tag, argument, limits_);
    if (error != InstrumentError::None) return errorReply(error);
    if (phase_ != Phase::Idle) return errorReply(InstrumentError::Process);
    conditions_ = changed;
    return kAccepted;
}

std::string Instrument::identification() const {
    std::string model = config_.modelName;
    model.resize(5, ' ');
    std::string reply = "KT  " + model + "   " + config_.firmwareVersion;
    // Fields 2 to 17 describe the detector and the options; the program
    // reads only field 1 and the drive range in field 18.
    for (int field = 2; field <= 17; ++field) reply += ",0";
    return reply + ',' + config_.driveRangeText + '\r';
}

std::string Instrument::statusReply() const {
    std::string reply = "OK";
    reply += stuckBusy_ ? '5' : statusChar();
    reply += dataHeld_ ? '1' : '0';
    reply += "0000000";
    return reply;
}

char Instrument::statusChar() const {
    switch (phase_) {
        case Phase::Measuring:
            return '1';
        case Phase::Calculating:
            return '2';
        case Phase::Moving:
            return direction_ > 0 ? '4' : '5';
        case Phase::Idle:
            break;
    }
    if (atLimit_) return '7';
    return startPositionMm_ > 0 ? '6' : '0';
}

std::string Instrument::resultsReply() const {
    if (phase_ == Phase::Measuring || phase_ == Phase::Calculating)
        return errorReply(InstrumentError::Process);
    if (!dataHeld_) return errorReply(InstrumentError::NoData);
    std::string reply = "OK";
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (i > 0) reply += ',';
        reply += results_[i];
    }
    return reply + '\r';
}

std::string Instrument::blockReply(double atMs) {
    const bool measuring = phase_ == Phase::Measuring;
    const std::vector<float>& profile = evaluationChannel_ ? evaluation_ : measured_;
    const bool available =
        evaluationChannel_ ? dataHeld_ : (dataHeld_ || measuring || phase_ == Phase::Calculating);
    const std::size_t ready =
        !available ? 0 : (measuring && !evaluationChannel_ ? recordedPoints(atMs) : profile.size());
    if (!available || (cursor_ >= profile.size() && !measuring)) {
        return errorReply(InstrumentError::NoData);
    }
    const std::size_t count = std::min(blockPoints_, ready > cursor_ ? ready - cursor_ : 0);
    std::string reply = "OK";
    appendBigEndian(reply, static_cast<std::uint32_t>(count), 2);
    for (std::size_t i = 0; i < count; ++i) {
        appendBigEndian(reply, std::bit_cast<std::uint32_t>(profile[cursor_ + i]), 4);
    }
    cursor_ += count;
    return reply + '\r';
}

std::string Instrument::channelCommand(std::string_view tag, std::string_view argument) {
    int value = 0;
    if (tag == "WRNUM") {
        if (argument.size() != 5 || !parseBlankPadded(argument, value))
            return errorReply(InstrumentError::Command);
        if (value < 1 || value > 1000) return errorReply(InstrumentError::OutRange);
        blockPoints_ = static_cast<std::size_t>(value);
        return kAccepted;
    }
    if (argument.size() != 7 ||
        argument.find_first_not_of("0123456789") != std::string_view::npos ||
        !parseBlankPadded(argument, value)) {
        return errorReply(InstrumentError::Command);
    }
    if (value != 100 && value != 101) return errorReply(InstrumentError::OutRange);
    evaluationChannel_ = value == 101;
    cursor_ = 0;
    return kAccepted;
}

std::string Instrument::driveSpeed(std::string_view argument) {
    if (phase_ == Phase::Measuring || phase_ == Phase::Calculating)
        return errorReply(InstrumentError::Process);
    driveSpeedMmPerS_ = argument == "33" ? 0.5 : argument == "44" ? 2.0 : kReturnSpeedMmPerS;
    if (argument != "33") {
        const char before = conditions_.speed;
        if (applyConditionCommand(conditions_, "WRSPD", argument, limits_) ==
            InstrumentError::None) {
            speedBeforeDriveCommand_ = before;
        }
    }
    return kAccepted;
}

std::string Instrument::start(double atMs) {
    if (phase_ != Phase::Idle) return errorReply(InstrumentError::Process);
    const SamplingPlan plan = samplingPlan();
    if (plan.travelMm > limits_.driveRangeMm) return errorReply(InstrumentError::Condition);
    atLimit_ = false;
    if (limits_.romVersion < 1102 && startPositionMm_ > 0) {
        // The oldest firmware returns to the origin instead of measuring.
        beginMotion(-1, kReturnSpeedMmPerS, atMs);
        return kAccepted;
    }
    plan_ = plan;
    dataHeld_ = false;
    evaluation_.clear();
    results_.clear();
    traced_ = workpiece_.sample(startPositionMm_, plan_.pitchMm, plan_.tracedPoints, ++runs_);
    measured_.assign(traced_.begin(), traced_.begin() + plan_.measuredPoints);
    cursor_ = 0;
    phase_ = Phase::Measuring;
    phaseStartMs_ = atMs;
    speedMmPerS_ = conditions_.speedMmPerS();
    direction_ = 1;
    const double room = limits_.driveRangeMm - startPositionMm_;
    hitsLimit_ = plan_.travelMm > room;
    phaseEndMs_ = atMs + durationMs(hitsLimit_ ? room : plan_.travelMm, speedMmPerS_);
    return kAccepted;
}

std::string Instrument::stop(double atMs) {
    if (phase_ == Phase::Measuring || phase_ == Phase::Calculating) {
        traced_.clear();
        measured_.clear();
        evaluation_.clear();
        results_.clear();
        dataHeld_ = false;
    }
    if (phase_ != Phase::Idle) {
        startPositionMm_ = positionAt(atMs);
        phase_ = Phase::Idle;
    }
    return kAccepted;
}

std::string Instrument::move(int direction, double atMs) {
    if (limits_.romVersion < 1102) return errorReply(InstrumentError::Command);
    if (phase_ == Phase::Measuring || phase_ == Phase::Calculating)
        return errorReply(InstrumentError::Process);
    if (phase_ == Phase::Moving) startPositionMm_ = positionAt(atMs);
    atLimit_ = false;
    beginMotion(direction, driveSpeedMmPerS_, atMs);
    advanceTo(atMs);  // a motion that has nowhere to go ends at once
    return kAccepted;
}

void Instrument::beginMotion(int direction, double speedMmPerS, double atMs) {
    phase_ = Phase::Moving;
    direction_ = direction;
    speedMmPerS_ = speedMmPerS;
    phaseStartMs_ = atMs;
    const double distance =
        direction > 0 ? limits_.driveRangeMm - startPositionMm_ : startPositionMm_;
    phaseEndMs_ = atMs + durationMs(distance, speedMmPerS);
}

double Instrument::durationMs(double lengthMm, double speedMmPerS) const {
    return lengthMm / speedMmPerS * 1000.0 / config_.speedFactor;
}

double Instrument::positionAt(double atMs) const {
    const double travelled =
        speedMmPerS_ * (std::min(atMs, phaseEndMs_) - phaseStartMs_) / 1000.0 * config_.speedFactor;
    switch (phase_) {
        case Phase::Measuring:
        case Phase::Moving:
            return std::clamp(startPositionMm_ + direction_ * std::max(travelled, 0.0), 0.0,
                              limits_.driveRangeMm);
        case Phase::Calculating: {
            if (!returning_) return startPositionMm_;
            const double back =
                kReturnSpeedMmPerS * (atMs - phaseStartMs_) / 1000.0 * config_.speedFactor;
            return std::max(0.0, startPositionMm_ - std::max(back, 0.0));
        }
        case Phase::Idle:
            break;
    }
    return startPositionMm_;
}

int Instrument::recordedPoints(double atMs) const {
    const double travelled = positionAt(atMs) - startPositionMm_;
    const auto points = static_cast<std::size_t>(std::max(0.0, travelled / plan_.pitchMm));
    return static_cast<int>(std::min(points, measured_.size()));
}

void Instrument::advanceTo(double atMs) {
    clockMs_ = std::max(clockMs_, atMs);
    for (;;) {
        if (phase_ == Phase::Idle || clockMs_ < phaseEndMs_) return;
        const double endPosition = positionAt(phaseEndMs_);
        if (phase_ == Phase::Measuring && hitsLimit_) {
            // Stopped at the far limit: the measurement is lost.
            traced_.clear();
            measured_.clear();
            atLimit_ = true;
            phase_ = Phase::Idle;
        } else if (phase_ == Phase::Measuring) {
            evaluation_ = sim::evaluationProfile(traced_, plan_, conditions_);
            traced_.clear();
            results_ = resultFields(evaluation_, conditions_);
            phase_ = Phase::Calculating;
            phaseStartMs_ = phaseEndMs_;
            returning_ = conditions_.autoReturn == '1';
            phaseEndMs_ += std::max(kCalculationMs / config_.speedFactor,
                                    returning_ ? durationMs(endPosition, kReturnSpeedMmPerS) : 0.0);
        } else if (phase_ == Phase::Calculating) {
            dataHeld_ = true;
            phase_ = Phase::Idle;
            if (!config_.cardFolder.empty()) saveToCard();
        } else {
            atLimit_ = direction_ > 0;
            phase_ = Phase::Idle;
        }
        startPositionMm_ = endPosition;
    }
}

// The date is the host's clock in UTC: the simulated instrument's clock.
void Instrument::saveToCard() const {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    card::CardMeasurement measurement;
    measurement.header = {config_.modelName, config_.firmwareVersion,
                          static_cast<std::int16_t>(limits_.romVersion), text};
    measurement.conditionRecord =
        cardConditionRecord(conditions_, samplingPlan().pitchLevel, limits_.romVersion);
    measurement.results = results_;
    measurement.measured = measured_;
    measurement.evaluation = evaluation_;
    const card::Saved saved = card::saveToCard(config_.cardFolder, measurement);
    if (!saved.error.empty())
        std::fprintf(stderr, "simulated KT-520: the measurement is not on the card: %s\n",
                     saved.error.c_str());
}

}  // namespace kt520::sim
