#include "sim/Faults.h"

#include <array>
#include <charconv>
#include <utility>

namespace kt520::sim {

namespace {

struct KindName {
    FaultKind kind;
    std::string_view name;
    std::string_view defaultCommand;
};

constexpr std::array<KindName, 9> kKinds{{
    {FaultKind::NoAnswer, "no-answer", ""},
    {FaultKind::Late, "late", ""},
    {FaultKind::Garbage, "garbage", ""},
    {FaultKind::Truncate, "truncate", "RDDTB00"},
    {FaultKind::Refuse, "ng", ""},
    {FaultKind::CloseLine, "close", "RDDTB00"},
    {FaultKind::StuckBusy, "busy", "RDSTU00"},
    {FaultKind::Overlong, "overlong", ""},
    {FaultKind::HugeBlock, "huge-block", "RDDTB00"},
}};

bool parseInt(std::string_view text, int& value) {
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

}  // namespace

std::string faultKindNames() {
    std::string names;
    for (const auto& k : kKinds) {
        if (!names.empty()) names += ", ";
        names += k.name;
    }
    return names;
}

bool parseFaultRule(std::string_view text, FaultRule& rule, std::string& error) {
    FaultRule parsed;
    std::string_view value;
    if (auto eq = text.find('='); eq != std::string_view::npos) {
        value = text.substr(eq + 1);
        text = text.substr(0, eq);
    }
    if (auto hash = text.find('#'); hash != std::string_view::npos) {
        if (!parseInt(text.substr(hash + 1), parsed.occurrence) || parsed.occurrence < 1) {
            error = "the occurrence after '#' must be a whole number from 1 up";
            return false;
        }
        text = text.substr(0, hash);
    }
    std::string_view kindText = text;
    std::string_view command;
    bool commandGiven = false;
    if (auto colon = text.find(':'); colon != std::string_view::npos) {
        kindText = text.substr(0, colon);
        command = text.substr(colon + 1);
        commandGiven = true;
    }
    const KindName* kind = nullptr;
    for (const auto& k : kKinds) {
        if (k.name == kindText) kind = &k;
    }
    if (!kind) {
        error = "unknown fault \"" + std::string(kindText) + "\" (known: " + faultKindNames() + ")";
        return false;
    }
    parsed.kind = kind->kind;
    parsed.command = std::string(commandGiven ? command : kind->defaultCommand);
    if (!value.empty()) {
        if (parsed.kind == FaultKind::Late) {
            if (!parseInt(value, parsed.delayMs) || parsed.delayMs < 0) {
                error = "the delay of \"late\" must be a whole number of milliseconds";
                return false;
            }
        } else if (parsed.kind == FaultKind::Refuse) {
            int code = 0;
            if (value.size() != 2 || !parseInt(value, code) || code < 1 || code > 22) {
                error = "the error number of \"ng\" must be two digits from 01 to 22";
                return false;
            }
            parsed.errorCode = std::string(value);
        } else if (parsed.kind == FaultKind::HugeBlock) {
            if (!parseInt(value, parsed.blockPoints) || parsed.blockPoints < 1001 ||
                parsed.blockPoints > 32767) {
                error = "the point count of \"huge-block\" must be 1001 to 32767";
                return false;
            }
        } else {
            error = "the fault \"" + std::string(kind->name) + "\" takes no value";
            return false;
        }
    }
    rule = std::move(parsed);
    return true;
}

std::vector<FaultRule> FaultPlan::firingFor(std::string_view command) {
    std::vector<FaultRule> firing;
    for (std::size_t i = 0; i < faults_.rules.size(); ++i) {
        const FaultRule& rule = faults_.rules[i];
        if (!command.starts_with(rule.command)) continue;
        const int count = ++counts_[i];
        const bool fires = rule.occurrence == 0 || count == rule.occurrence ||
                           (rule.kind == FaultKind::StuckBusy && count > rule.occurrence);
        if (fires) firing.push_back(rule);
    }
    return firing;
}

}  // namespace kt520::sim
