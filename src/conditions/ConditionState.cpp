#include "conditions/ConditionState.h"

namespace kt520::conditions {

std::string_view speedSuffixText(SpeedSuffix suffix) {
    switch (suffix) {
        case SpeedSuffix::Four:
            return "4";
        case SpeedSuffix::Five:
            return "5";
        case SpeedSuffix::Unset:
            break;
    }
    return "";
}

std::string_view cutLockText(CutLock lock) {
    switch (lock) {
        case CutLock::Locked:
            return "NG";
        case CutLock::Released:
            return "OK";
        case CutLock::Unset:
            break;
    }
    return "";
}

}  // namespace kt520::conditions
