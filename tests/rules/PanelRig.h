#pragma once
// Condition panel scenarios written in the panel's own names, each on a
// panel with its real rules set up as identification of a KT-520 (kind 3,
// firmware 1310, 50.8 mm drive, English) leaves it.
//
// Actions, separated by blanks ("_" stands for a blank inside a text):
//   CUT3        the operator clicks entry 3 of optCUT (any option array by its tail)
//   CUT!3       entry 3 chosen from code, as the rules and the read-back choose
//   LEN=3       the evaluation length entered (typed, then complete); TYPE=3 typed only;
//               ENTER the typed length complete; ALEN2=1.5 motif length box 2 typed
//   DEFAULT     the "Default" button; TILT1, TILT0 the tilt compensation box
//   RULES       the option rules run once more; WLR the waviness length rule of a run
//   LOCK        the cut-off lock set, as while the waviness length rule moves the cut-off
//   ID=k/r/d/l  identification of a KT-520 of kind k, firmware r, drive d, language l
//               (kind -1: another model)
//   MARK        the state remembered for SAME below
//   READ=1:4|2:L|13:7.5  a read-back of firmware 1311: items and their texts (others empty)
// Expectations, each a token of the panel's summary:
//   CUT=3 chosen; CUT:135 the shown entries offered; SFX=4 speed suffix; LOCK=OK;
//   CAP=fh cut-off frame caption; LEN=.5; ALEN=a,b,c,d texts; ALEN:1100 boxes offered;
//   F6=1 frame 6 enabled; KTM=1/0 tilt checked/offered; VDA=1; CHK=2 length check
//   findings (MCHK=1 of the motif lengths); UNC=CUT,SPD the unconfirmed items; CHANGES=1 notices
//   since the last action list began; SAME: as at MARK but for the typed length;
//   CMD=WRUNT1|WRCUT33|... the condition commands, C:WRCUT33 one of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "conditions/ConditionPanel.h"
#include "conditions/ConditionSender.h"
#include "rules/ConditionRules.h"

namespace kt520::testing {

using namespace conditions;

template <typename E>
int chosen(const Choice<E>& choice) {
    return codeOf(*choice.selected());
}

// The tail of the name of a group's option array.
inline std::string nameOf(Item item) {
    // clang-format off
    constexpr std::pair<Item, const char*> kNames[] = {
        {Item::Unit, "UNT"}, {Item::Standard, "STD"}, {Item::Profile, "CUV"}, {Item::Filter, "FLT"},
        {Item::CutOff, "CUT"}, {Item::Sections, "SCT"}, {Item::Range, "RNG"}, {Item::Speed, "SPD"},
        {Item::PrePost, "TRA"}, {Item::OverRange, "ORT"}, {Item::MotifA, "MTA"},
        {Item::MotifB, "MTB"}, {Item::LongWave, "FHL"}, {Item::Anx, "ANX"},
        {Item::AutoReturn, "ART"}, {Item::CsvSave, "CUW"}};
    // clang-format on
    for (const auto& [each, name] : kNames)
        if (each == item) return name;
    return "?";
}

class PanelRig : public PanelObserver {
  public:
    PanelRig() {
        panel.setRules(rules);
        panel.setObserver(this);
        act("ID=3/1310/50.8/E");
    }

    const ConditionState& s() const { return panel.state(); }

    void act(const std::string& actions) {
        changes = 0;
        std::istringstream words(actions);
        for (std::string w; words >> w;) {
            std::replace(w.begin(), w.end(), '_', ' ');
            const std::string value = w.substr(w.find('=') + 1);
            int kind = 0, rom = 0;
            float drive = 0;
            char language[2] = {};
            if (std::sscanf(w.c_str(), "ID=%d/%d/%f/%1s", &kind, &rom, &drive, language) == 4) {
                panel.configureFor({kind < 0 ? "KT210" : "KT520", static_cast<std::int16_t>(rom),
                                    drive, static_cast<std::int16_t>(std::max(kind, 0))},
                                   kind >= 0, language);
            } else if (w.starts_with("READ=")) {
                ConditionSet set{std::vector<std::string>(52), "", ""};
                std::istringstream items(value);
                for (std::string item; std::getline(items, item, '|');)
                    set.fields[std::stoul(item)] = item.substr(item.find(':') + 1);
                (void)panel.showConditions(set, ItemFieldMap(1311));
            } else if (w.starts_with("LEN=")) {
                panel.typeLength(value);
                panel.enterLength();
            } else if (w.starts_with("TYPE=")) {
                panel.typeLength(value);
            } else if (w.starts_with("ALEN")) {
                panel.typeMotifLength(w[4] - '0', value);
            } else if (w.starts_with("TILT")) {
                panel.setTiltCompensation(w == "TILT1");
            } else if (w == "DEFAULT" || w == "RULES" || w == "WLR" || w == "LOCK" || w == "MARK" ||
                       w == "ENTER") {
                if (w == "DEFAULT") panel.restoreMotifLengths();
                if (w == "ENTER") panel.enterLength();
                if (w == "RULES") rules.applyOptionRules();
                if (w == "WLR") panel.applyWavinessLengthRule();
                if (w == "LOCK") panel.edit().cutLock = CutLock::Locked;
                if (w == "MARK") mark = s();
            } else {
                const bool fromCode = w[3] == '!';
                const int code = std::stoi(w.substr(fromCode ? 4 : 3));
                forEachGroup(s(), [&](Item item, const auto& choice) {
                    if (nameOf(item) != w.substr(0, 3)) return;
                    if (fromCode) panel.choose(*choice.entryOf(code));
                    if (!fromCode) panel.click(item, code);
                });
            }
        }
    }

    std::set<std::string> summary() {
        std::set<std::string> t;
        forEachGroup(s(), [&](Item item, const auto& choice) {
            std::string on;
            for (auto e : choice.entries())
                if (choice.shown(e) && choice.enabled(e)) on += std::to_string(codeOf(e));
            t.insert(
                {nameOf(item) + "=" + std::to_string(chosen(choice)), nameOf(item) + ":" + on});
        });
        for (Frame frame : kSwitchedFrames)
            t.insert("F" + std::to_string(codeOf(frame)) + "=" +
                     std::to_string(s().frames.enabled(frame)));
        std::string texts, offers;
        for (std::size_t k = 0; k < 4; ++k) {
            texts += (k ? "," : "") + s().motifLengthTexts[k];
            offers += s().motifLengthEnabled[k] ? "1" : "0";
        }
        std::string unconfirmed;
        for (Item item : panel.unconfirmed())
            unconfirmed += (unconfirmed.empty() ? "" : ",") + nameOf(item);
        std::string sent;
        for (const std::string& command : conditionCommands(s(), panel.model())) {
            t.insert("C:" + command);
            sent += (sent.empty() ? "" : "|") + command;
        }
        const auto caption = s().cutOffCaption;
        ConditionState marked = mark.value_or(ConditionState{});
        marked.lengthText = s().lengthText;
        t.insert(
            {"SFX=" + std::string(speedSuffixText(s().speedSuffix)),
             "LOCK=" + std::string(cutLockText(s().cutLock)),
             "CAP=" + std::string(!caption                       ? ""
                                  : caption == CutOffCaption::Fh ? "fh"
                                                                 : "Cut-Off"),
             "LEN=" + s().lengthText, "ALEN=" + texts, "ALEN:" + offers,
             "KTM=" + std::to_string(s().tiltCompensation) + "/" + std::to_string(s().tiltEnabled),
             "VDA=" + std::to_string(s().standardThreeIsVda),
             "CHK=" + std::to_string(panel.checkLengthEntry().size()),
             "MCHK=" + std::to_string(panel.checkMotifLengths().size()), "UNC=" + unconfirmed,
             "CHANGES=" + std::to_string(changes), marked == s() ? "SAME" : "CHANGED",
             "CMD=" + sent});
        return t;
    }

    // Every expected token is in the summary.
    void expect(const std::string& expected) {
        const std::set<std::string> tokens = summary();
        std::string all;
        for (const std::string& token : tokens) all += token + " ";
        std::istringstream words(expected);
        for (std::string w; words >> w;) {
            std::replace(w.begin(), w.end(), '_', ' ');
            EXPECT_TRUE(tokens.count(w)) << "no " << w << " in\n" << all;
        }
    }

    void panelChanged() override { ++changes; }

    ConditionPanel panel;
    rules::ConditionRules rules{panel};
    int changes = 0;
    std::optional<ConditionState> mark;
};

// Scenarios on a fresh panel each: the actions, then what they leave.
struct Scenario {
    std::string actions, expected;
};

inline void expectScenarios(std::initializer_list<Scenario> scenarios) {
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.actions);
        PanelRig p;
        p.act(scenario.actions);
        p.expect(scenario.expected);
    }
}

}  // namespace kt520::testing
