#include "conditions/ConditionReadCommand.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "conditions/ConditionReader.h"

namespace kt520::conditions {
namespace {

// First status characters that mean the instrument is measuring, moving or otherwise busy.
constexpr std::array<std::string_view, 6> kBusyStatus = {"1", "2", "3", "4", "5", "7"};
constexpr int kPleaseWait = 4;
constexpr int kWarningTitle = 1;

}  // namespace

ConditionReadOutcome ConditionReadCommand::run() {
    Parts& p = parts_;
    ConditionReadOutcome outcome;
    outcome.identification = p.announceIdentification ? p.announceIdentification() : "";
    if (outcome.identification == "OK") p.layouts.prepareConditionLayouts(p.model.romVersion);

    const std::string status = p.link.queryStatus(3);
    if (std::find(kBusyStatus.begin(), kBusyStatus.end(), status) != kBusyStatus.end()) {
        p.op.showMessage(p.catalog.message(kPleaseWait), p.catalog.boxTitle(kWarningTitle),
                         lang::MessageIcon::Stop);
        return outcome;
    }
    p.outputFileName = "Condition.csv";
    p.conditions = readConditions(p.link, p.layouts, p.op, p.catalog);
    p.panel.showConditions(p.conditions, p.layouts.items);
    outcome.conditionsRead = true;
    return outcome;
}

}  // namespace kt520::conditions
