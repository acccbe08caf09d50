#include "conditions/UnitCaptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace kt520::conditions {
namespace {

using ui::MainWindowModel;
using ui::OptionArray;

struct UnitCaption {
    int index;
    std::string_view millimetre;
    std::string_view inch;
};

struct ArrayCaptions {
    OptionArray MainWindowModel::*array;
    std::vector<UnitCaption> captions;
};

// In the order they are written: cut-off, range, A, B, speed, lambda f.
const ArrayCaptions kOptionCaptions[] = {
    {&MainWindowModel::optCUT,
     {{1, "0.08", "0.003"},
      {2, "0.25", "0.01"},
      {3, "0.8", "0.03"},
      {4, "2.5", "0.1"},
      {5, "8", "0.3"}}},
    {&MainWindowModel::optRNG, {{5, "800", "32000"}, {6, "80", "3200"}, {7, "8", "320"}}},
    {&MainWindowModel::optMTA,
     {{2, "0.02", "0.001"}, {3, "0.1", "0.004"}, {4, "0.5", "0.02"}, {5, "2.5", "0.1"}}},
    {&MainWindowModel::optMTB,
     {{3, "0.1", "0.004"}, {4, "0.5", "0.02"}, {5, "2.5", "0.1"}, {6, "12.5", "0.5"}}},
    {&MainWindowModel::optSPD,
     {{0, "0.05", "0.002"},
      {1, "0.1", "0.004"},
      {2, "0.2", "0.008"},
      {3, "0.5", "0.02"},
      {4, "1", "0.04"},
      {5, "2", "0.08"}}},
    {&MainWindowModel::optFHL,
     {{1, "0.25", "0.01"}, {2, "0.8", "0.03"}, {3, "2.5", "0.1"}, {4, "8", "0.3"}}},
};

constexpr int kRangeLabel = 2;

}  // namespace

void switchUnitCaptions(MainWindowModel& window) {
    const bool millimetres = window.optUNT.isSelected(1);
    for (int i = window.lblUnit.first(); i <= window.lblUnit.last(); ++i) {
        if (i == kRangeLabel)
            window.lblUnit[i].caption = millimetres ? "um" : "uinch";
        else
            window.lblUnit[i].caption = millimetres ? "mm" : "inch";
    }
    for (const auto& [array, captions] : kOptionCaptions)
        for (const auto& caption : captions)
            (window.*array)[caption.index].caption =
                std::string(millimetres ? caption.millimetre : caption.inch);
}

}  // namespace kt520::conditions
