#pragma once
// The simulated KT-520: it takes the commands of the serial protocol, answers
// after the time a real instrument would take, measures a seeded workpiece
// over the time the measurement would last, and commits the faults it is told
// to. Deterministic: everything follows from the configuration and the times
// the host passes in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/LinePeer.h"
#include "sim/Faults.h"
#include "sim/MeasuringConditions.h"
#include "sim/SamplingPlan.h"
#include "sim/SimConfig.h"
#include "sim/TransmitLine.h"
#include "sim/Workpiece.h"

namespace kt520::sim {

class Instrument : public link::LinePeer {
  public:
    explicit Instrument(const SimConfig& config = {});

    void receiveFromHost(std::string_view bytes, link::Millis now) override;
    std::string takeForHost(link::Millis now) override;
    std::optional<link::Millis> arrivalOf(std::size_t count, link::Millis now) override;
    bool deviceReady() const override { return !line_.closed(); }
    void hostOpened(bool open) override;

    // What the instrument's own display would show.
    char status(link::Millis now);  // the status character of "RDSTU00"
    double stylusPositionMm(link::Millis now);
    const MeasuringConditions& conditions() const { return conditions_; }
    SamplingPlan samplingPlan() const { return planSampling(conditions_, limits_.driveRangeMm); }
    // The profiles of the last measurement (empty when none is held).
    const std::vector<float>& measuredProfile() const { return measured_; }
    const std::vector<float>& evaluationProfile() const { return evaluation_; }

    void setFaults(Faults faults);

  private:
    enum class Phase { Idle, Measuring, Calculating, Moving };

    void handleCommand(const std::string& command, double atMs);
    std::string execute(const std::string& command, double atMs);
    std::string identification() const;
    std::string statusReply() const;
    std::string resultsReply() const;
    std::string blockReply(double atMs);
    std::string start(double atMs);
    std::string stop(double atMs);
    std::string move(int direction, double atMs);
    std::string driveSpeed(std::string_view argument);
    std::string channelCommand(std::string_view tag, std::string_view argument);

    void advanceTo(double atMs);
    double positionAt(double atMs) const;
    int recordedPoints(double atMs) const;
    double durationMs(double lengthMm, double speedMmPerS) const;
    void beginMotion(int direction, double speedMmPerS, double atMs);
    char statusChar() const;
    // As the instrument does when a calculation is done and a card is in it.
    void saveToCard() const;

    SimConfig config_;
    FirmwareLimits limits_;
    MeasuringConditions conditions_;
    Workpiece workpiece_;
    FaultPlan faults_;
    TransmitLine line_;
    std::string inbox_;
    bool inboxOverflow_ = false;
    double inboxArrivalMs_ = 0;
    double clockMs_ = 0;
    bool stuckBusy_ = false;

    Phase phase_ = Phase::Idle;
    double phaseStartMs_ = 0;
    double phaseEndMs_ = 0;
    double startPositionMm_ = 0;  // where the stylus was when the phase began
    int direction_ = 1;           // of the motion: +1 away from the origin, -1 towards it
    double speedMmPerS_ = 0;
    bool hitsLimit_ = false;  // the running measurement or motion ends at the far limit
    bool returning_ = false;  // the stylus returns to the origin while calculating
    bool atLimit_ = false;
    double driveSpeedMmPerS_ = 0.5;
    std::optional<char> speedBeforeDriveCommand_;

    SamplingPlan plan_;
    std::vector<float> traced_;  // all the stylus passes, until the calculation is done
    std::vector<float> measured_;
    std::vector<float> evaluation_;
    std::vector<std::string> results_;
    bool dataHeld_ = false;
    std::uint32_t runs_ = 0;
    bool evaluationChannel_ = false;
    std::size_t cursor_ = 0;
    std::size_t blockPoints_ = 1000;
};

}  // namespace kt520::sim
