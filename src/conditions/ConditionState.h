#pragma once
// The condition panel as typed state: the choice of every option group, what
// is offered, the typed lengths, and the flags the rules keep. A copy is what
// a measurement run sends; the window's form is filled from it.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "conditions/Choice.h"

namespace kt520::conditions {

// The frames whose enabled state the rules and the model set; every other
// frame is always enabled. The values are the frames' numbers on the panel.
enum class Frame {
    Filter = 4,
    CutOff = 6,
    Sections = 8,
    MotifA = 9,
    MotifB = 10,
    Tilt = 13,  // "M-Profile", with the tilt compensation box
    PrePost = 14,
    LongWave = 16,
    Anx = 18,
    MotifLengths = 19,
};

inline constexpr Frame kSwitchedFrames[] = {
    Frame::Filter, Frame::CutOff,  Frame::Sections, Frame::MotifA, Frame::MotifB,
    Frame::Tilt,   Frame::PrePost, Frame::LongWave, Frame::Anx,    Frame::MotifLengths};

class FrameSwitches {
  public:
    bool enabled(Frame frame) const { return enabled_[index(frame)]; }
    void enable(Frame frame, bool on) { enabled_[index(frame)] = on; }
    bool operator==(const FrameSwitches&) const = default;

  private:
    static std::size_t index(Frame frame) { return static_cast<std::size_t>(frame); }
    std::array<bool, 20> enabled_ = [] {
        std::array<bool, 20> all{};
        all.fill(true);
        return all;
    }();
};

// The suffix the speed command carries: "4" when the rules withdrew 1 mm/s,
// "5" when all four visible speeds are offered, nothing before the rules ran.
enum class SpeedSuffix { Unset, Four, Five };
std::string_view speedSuffixText(SpeedSuffix suffix);

// Set while the waviness length rule moves the cut-off itself ("NG"), so the
// cut-off's own handler does not run the rules again; "OK" after.
enum class CutLock { Unset, Locked, Released };
std::string_view cutLockText(CutLock lock);

// The caption the rules give the cut-off frame: "fh" for the waviness
// profile, "Cut-Off" otherwise (the instrument's own terms, in every language).
enum class CutOffCaption { CutOff, Fh };

struct ConditionState {
    Choice<Unit> unit{{Unit::Millimetre, Unit::Inch}, Unit::Millimetre};
    Choice<Standard> standard{{Standard::Jis1982, Standard::Jis1994, Standard::Din1990,
                               Standard::Iso1997, Standard::Ansi1995, Standard::Jis2001},
                              Standard::Iso1997};
    Choice<Profile> profile{
        {Profile::P, Profile::R, Profile::W, Profile::Din4776, Profile::RMotif, Profile::WMotif},
        Profile::R};
    Choice<Filter> filter{
        {Filter::TwoCR, Filter::PC75, Filter::Gauss, Filter::None}, Filter::TwoCR, {Filter::None}};
    Choice<CutOff> cutOff{
        {CutOff::Mm0_08, CutOff::Mm0_25, CutOff::Mm0_8, CutOff::Mm2_5, CutOff::Mm8}, CutOff::Mm0_8};
    Choice<Sections> sections{{Sections::One, Sections::Two, Sections::Three, Sections::Four,
                               Sections::Five, Sections::Arbitrary},
                              Sections::Three,
                              {Sections::Two, Sections::Four}};
    Choice<Range> range{{Range::Um800, Range::Um80, Range::Um8}, Range::Um80};
    Choice<Speed> speed{
        {Speed::Mm0_05, Speed::Mm0_1, Speed::Mm0_2, Speed::Mm0_5, Speed::Mm1, Speed::Mm2},
        Speed::Mm0_5,
        {Speed::Mm0_2, Speed::Mm2}};
    Choice<PrePost> prePost{{PrePost::Off, PrePost::On}, PrePost::On};
    Choice<OverRange> overRange{{OverRange::PlusMinusEscape, OverRange::PlusEscape,
                                 OverRange::MinusEscape, OverRange::PlusMinusGo},
                                OverRange::PlusMinusEscape};
    Choice<MotifA> motifA{
        {MotifA::Hidden, MotifA::Mm0_02, MotifA::Mm0_1, MotifA::Mm0_5, MotifA::Mm2_5},
        MotifA::Mm0_02,
        {MotifA::Hidden}};
    Choice<MotifB> motifB{{MotifB::Hidden0, MotifB::Hidden2, MotifB::Mm0_1, MotifB::Mm0_5,
                           MotifB::Mm2_5, MotifB::Mm12_5},
                          MotifB::Mm0_1,
                          {MotifB::Hidden0, MotifB::Hidden2}};
    Choice<LongWave> longWave{
        {LongWave::None, LongWave::Mm0_25, LongWave::Mm0_8, LongWave::Mm2_5, LongWave::Mm8},
        LongWave::None};
    Choice<Anx> anx{{Anx::T, Anx::Seg}, Anx::T};
    Choice<AutoReturn> autoReturn{{AutoReturn::On, AutoReturn::Off}, AutoReturn::On};
    Choice<CsvSave> csvSave{{CsvSave::On, CsvSave::Off}, CsvSave::On};

    // The evaluation length typed for "L", in the panel's unit.
    std::string lengthText = "4";
    // Its range for the drive identified, the tooltip of its box.
    std::string lengthRangeHint;
    // The four motif evaluation lengths; at first they show their hints.
    std::array<std::string, 4> motifLengthTexts = {
        "0.3-0.64mm 0.012'-0.025'", "0.7-3.2mm 0.028'-0.126'", "3.3-16mm 0.130'-0.630'",
        "16.1-50.8mm 0.634'-2.000'"};
    std::array<bool, 4> motifLengthEnabled = {true, true, true, true};

    bool tiltCompensation = false;
    bool tiltEnabled = true;

    FrameSwitches frames;
    SpeedSuffix speedSuffix = SpeedSuffix::Unset;
    CutLock cutLock = CutLock::Unset;
    std::optional<CutOffCaption> cutOffCaption;
    // From firmware 1311 on the third standard reads "VDA".
    bool standardThreeIsVda = false;

    ConditionState() { filter.enable(Filter::None, false); }
    bool operator==(const ConditionState&) const = default;
};

// Every option group with its item, for walks over the whole panel.
template <typename E>
struct Group {
    Item item;
    Choice<E> ConditionState::*choice;
};
inline constexpr std::tuple kGroups{
    Group<Unit>{Item::Unit, &ConditionState::unit},
    Group<Standard>{Item::Standard, &ConditionState::standard},
    Group<Profile>{Item::Profile, &ConditionState::profile},
    Group<Filter>{Item::Filter, &ConditionState::filter},
    Group<CutOff>{Item::CutOff, &ConditionState::cutOff},
    Group<Sections>{Item::Sections, &ConditionState::sections},
    Group<Range>{Item::Range, &ConditionState::range},
    Group<Speed>{Item::Speed, &ConditionState::speed},
    Group<PrePost>{Item::PrePost, &ConditionState::prePost},
    Group<OverRange>{Item::OverRange, &ConditionState::overRange},
    Group<MotifA>{Item::MotifA, &ConditionState::motifA},
    Group<MotifB>{Item::MotifB, &ConditionState::motifB},
    Group<LongWave>{Item::LongWave, &ConditionState::longWave},
    Group<Anx>{Item::Anx, &ConditionState::anx},
    Group<AutoReturn>{Item::AutoReturn, &ConditionState::autoReturn},
    Group<CsvSave>{Item::CsvSave, &ConditionState::csvSave},
};

// Calls f(item, choice) for every group of `state` (const or not).
template <typename State, typename F>
void forEachGroup(State& state, F&& f) {
    std::apply([&](const auto&... group) { (f(group.item, state.*group.choice), ...); }, kGroups);
}

// The item of the group whose entries are E.
template <typename E>
constexpr Item itemOf() {
    return std::get<Group<E>>(kGroups).item;
}

}  // namespace kt520::conditions
