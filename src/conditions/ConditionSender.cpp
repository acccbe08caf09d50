#include "conditions/ConditionSender.h"

#include <string_view>

#include "profile/Blanks.h"

namespace kt520::conditions {
namespace {

constexpr std::size_t kLengthWidth = 5;

// The chosen entry's code from `from` up as text, empty when there is none.
template <typename E>
std::string code(const Choice<E>& choice, int from) {
    const auto chosen = choice.codeFrom(from);
    return chosen ? std::to_string(*chosen) : std::string();
}

// A length entry right-aligned in five characters; of a longer text the last five.
std::string lengthField(std::string_view text) {
    const std::string trimmed(profile::trimBlanks(text));
    if (trimmed.size() >= kLengthWidth) return trimmed.substr(trimmed.size() - kLengthWidth);
    return std::string(kLengthWidth - trimmed.size(), ' ') + trimmed;
}

// P and the motif profiles are measured without a filter: code 4 (NON).
std::string filterCode(const ConditionState& s) {
    if (s.profile.is(Profile::R) || s.profile.is(Profile::W) || s.profile.is(Profile::Din4776))
        return code(s.filter, 1);
    if (s.profile.is(Profile::P) || s.profile.is(Profile::RMotif) || s.profile.is(Profile::WMotif))
        return std::to_string(codeOf(Filter::None));
    return {};
}

}  // namespace

std::vector<std::string> conditionCommands(const ConditionState& s, const link::ModelInfo& model) {
    std::vector<std::string> commands;
    const std::string unit = code(s.unit, 1);
    commands.push_back("WRUNT" + unit);

    const std::string cutOff = code(s.cutOff, 1);
    if (s.sections.is(Sections::Arbitrary)) {
        commands.push_back("WRCUT" + cutOff + "1");
        commands.push_back("WRCUT" + cutOff + "L");
    } else {
        commands.push_back("WRCUT" + cutOff + code(s.sections, 1));
    }

    commands.push_back("WRSTD" + code(s.standard, 1));
    commands.push_back("WRFIL" + code(s.profile, 1) + filterCode(s));
    commands.push_back("WRRAN" + code(s.range, 5) + code(s.overRange, 1));

    if (s.sections.is(Sections::Arbitrary) && s.sections.enabled(Sections::Arbitrary))
        commands.push_back("WRL  " + unit + lengthField(s.lengthText) + "     ");

    commands.push_back("WRM A" + code(s.motifA, 2));
    commands.push_back("WRM B" + code(s.motifB, 2));
    commands.push_back("WRTRA" + code(s.prePost, 0));

    // The instrument numbers the long-wave limits one above the cut-offs.
    if (s.profile.is(Profile::W))
        commands.push_back("WRFHL" + std::to_string(s.cutOff.codeOrZero(1) + 1) +
                           code(s.longWave, 0));

    if (model.romVersion >= 1004) commands.push_back("WRART" + code(s.autoReturn, 1));

    commands.push_back("WRSPD" + code(s.speed, 0) + std::string(speedSuffixText(s.speedSuffix)));

    const bool motifProfile = s.profile.is(Profile::RMotif) || s.profile.is(Profile::WMotif);
    const bool motifModel = model.modelKind == 2 || model.modelKind == 3;
    if (motifProfile && motifModel) {
        std::string lengths;
        for (const std::string& text : s.motifLengthTexts)
            lengths += (lengths.empty() ? "" : ",") + lengthField(text);
        commands.push_back("WRML " + lengths);
    }
    if (motifProfile && model.modelKind == 3) commands.push_back("WRMET" + code(s.anx, 0));
    return commands;
}

}  // namespace kt520::conditions
