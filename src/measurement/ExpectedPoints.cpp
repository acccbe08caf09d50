#include "measurement/ExpectedPoints.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "lang/InternalFault.h"
#include "measurement/ProfileData.h"
#include "profile/NumberText.h"

namespace kt520::measurement {
namespace {

constexpr int kCutOffItem = 1;
constexpr int kSamplingLengthsItem = 2;
constexpr int kFilterItem = 4;
constexpr int kTravelItem = 22;
constexpr int kMotifLimitAItem = 30;
constexpr float kLongDriveRange = 50.8f;

int motifPoints(const ExpectedPointsInput& input) {
    const std::string code = conditions::itemText(input.conditions, input.items, kMotifLimitAItem);
    if (code == "2") return 4300;
    if (code == "3") return 6450;
    if (code == "4") return 10700;
    if (code == "5") return input.model.driveRange == kLongDriveRange ? 10500 : 5100;
    lang::failInternal("motif limit A \"" + code + "\"");
}

// Cut-off in millimetres by its code; 0 for a code without one.
double cutOffMillimetres(std::string_view code) {
    constexpr std::string_view codes[] = {"1", "2", "3", "4", "5"};
    constexpr double lengths[] = {0.08, 0.25, 0.8, 2.5, 8.0};
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        if (codes[i] == code) return lengths[i];
    }
    return 0.0;
}

int lengthPoints(const ExpectedPointsInput& input) {
    const auto item = [&](int k) { return conditions::itemText(input.conditions, input.items, k); };
    const double cutOff = cutOffMillimetres(item(kCutOffItem));
    const std::string sections = item(kSamplingLengthsItem);
    const double evaluationLength = sections == "L"
                                        ? profile::readValue(input.conditions.evaluationLengthText)
                                        : cutOff * profile::readValue(sections);
    const double pitchMicrometres = profile::readValue(input.conditions.samplingPitchText);
    if (pitchMicrometres <= 0.0 || evaluationLength <= 0.0) return 0;

    const auto points = [&](double lengthMm) {
        return static_cast<int>(std::lround(lengthMm * 1000.0 / pitchMicrometres));
    };
    const int evaluation = points(evaluationLength);
    if (input.profile == ProfileKind::Evaluation || item(kTravelItem) != "1") return evaluation;
    // Pre-travel of one cut-off before the window; the post-travel is
    // recorded too, except with 2CR, whose window is the end of the profile.
    const int travel = points(cutOff);
    return travel + evaluation + (item(kFilterItem) == "1" ? 0 : travel);
}

}  // namespace

int expectedPoints(const ExpectedPointsInput& input) {
    const int points = input.motifProfileSelected ? motifPoints(input) : lengthPoints(input);
    return std::clamp(points, 0, ProfileData::kCapacity);
}

}  // namespace kt520::measurement
