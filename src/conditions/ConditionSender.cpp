#include "conditions/ConditionSender.h"
#include "profile/Blanks.h"

#include <algorithm>
#include <string_view>

namespace kt520::conditions {
using profile::trimBlanks;
namespace {

using ui::OptionArray;

constexpr int kArbitraryLength = 6;
constexpr size_t kLengthWidth = 5;

// The code of an array: the last selected entry from `from` up, empty when none is.
std::string code(const OptionArray& array, int from) {
    const int index = array.selectedFrom(from);
    return index < 0 ? std::string() : std::to_string(index);
}

// A length entry right-aligned in five characters; of a longer text the last five.
std::string lengthField(std::string_view text) {
    const std::string trimmed(trimBlanks(text));
    if (trimmed.size() >= kLengthWidth) return trimmed.substr(trimmed.size() - kLengthWidth);
    return std::string(kLengthWidth - trimmed.size(), ' ') + trimmed;
}

bool motifProfile(const ui::MainWindowModel& w) {
    return w.optCUV.isSelected(5) || w.optCUV.isSelected(6);
}

}  // namespace

std::vector<std::string> conditionCommands(const ui::MainWindowModel& w,
                                           const link::ModelInfo& model) {
    std::vector<std::string> commands;
    const std::string unit = code(w.optUNT, 1);
    commands.push_back("WRUNT" + unit);

    const std::string cutOff = code(w.optCUT, 1);
    const int sections = w.optSCT.selectedFrom(1);
    if (sections == kArbitraryLength) {
        commands.push_back("WRCUT" + cutOff + "1");
        commands.push_back("WRCUT" + cutOff + "L");
    } else {
        commands.push_back("WRCUT" + cutOff + code(w.optSCT, 1));
    }

    commands.push_back("WRSTD" + code(w.optSTD, 1));

    // P and the motif profiles are measured without a filter: code 4 (NON).
    const std::string profile = code(w.optCUV, 1);
    std::string filter;
    if (profile == "2" || profile == "3" || profile == "4")
        filter = code(w.optFLT, 1);
    else if (profile == "1" || profile == "5" || profile == "6")
        filter = "4";
    commands.push_back("WRFIL" + profile + filter);

    commands.push_back("WRRAN" + code(w.optRNG, 5) + code(w.optORT, 1));

    if (w.optSCT.isSelected(kArbitraryLength) && w.optSCT[kArbitraryLength].enabled)
        commands.push_back("WRL  " + unit + lengthField(w.txtLENG.text) + "     ");

    commands.push_back("WRM A" + code(w.optMTA, 2));
    commands.push_back("WRM B" + code(w.optMTB, 2));
    commands.push_back("WRTRA" + code(w.optTRA, 0));

    // The instrument numbers the long-wave limits one above the cut-offs.
    if (w.optCUV.isSelected(3))
        commands.push_back("WRFHL" + std::to_string(std::max(w.optCUT.selectedFrom(1), 0) + 1) +
                           code(w.optFHL, 0));

    if (model.romVersion >= 1004) commands.push_back("WRART" + code(w.optART, 1));

    commands.push_back("WRSPD" + code(w.optSPD, 0) + w.fstrSPD_LIMIT);

    const bool motifModel = model.modelKind == 2 || model.modelKind == 3;
    if (motifProfile(w) && motifModel) {
        std::string lengths;
        for (int k = 1; k <= 4; ++k) lengths += (k > 1 ? "," : "") + lengthField(w.txtALEN[k].text);
        commands.push_back("WRML " + lengths);
    }
    if (motifProfile(w) && model.modelKind == 3) commands.push_back("WRMET" + code(w.optANX, 0));
    return commands;
}

std::string sendConditions(link::InstrumentLink& link, const ui::MainWindowModel& window,
                           const link::ModelInfo& model) {
    for (const std::string& command : conditionCommands(window, model)) {
        link.sendCommand(command);
        if (link.checkReply(command) == "NG") return "NG";
    }
    return "OK";
}

}  // namespace kt520::conditions
