#pragma once
// The fixed-width records the conditions travel in: the instrument's condition
// reply and the condition record of a card file, each in a short form (before
// firmware 1103) and a long one. One table of widths builds all four.
#include <string>
#include <string_view>
#include <vector>

#include "conditions/ConditionSet.h"

namespace kt520::conditions {

// Firmware from which the records carry the motif items 38 to 51.
inline constexpr int kLongRecordFirmware = 1103;

struct FieldSpan {
    int start;  // 1-based column within the record
    int width;
};

class ConditionLayout {
  public:
    ConditionLayout() = default;
    explicit ConditionLayout(const std::vector<int>& widths);

    int fieldCount() const { return static_cast<int>(spans_.size()); }
    int totalWidth() const;
    // Field k, numbered from 1; throws std::out_of_range outside 1..fieldCount().
    FieldSpan span(int k) const;

    // Cuts every field from `record`, whose first `leadingChars` characters
    // precede column 1. A field that runs past the end is cut short, one that
    // starts past the end is empty.
    std::vector<std::string> cut(std::string_view record, int leadingChars) const;

  private:
    std::vector<FieldSpan> spans_;
};

ConditionLayout conditionReplyLayout(int romVersion);
ConditionLayout cardConditionLayout(int romVersion);

// Item number (1-67) to field number.
class ItemFieldMap {
  public:
    explicit ItemFieldMap(int romVersion = 0) : long_(romVersion >= kLongRecordFirmware) {}
    // The field holding `item`, or 0 when the record has no field for it.
    int fieldOf(int item) const;

  private:
    bool long_;
};

struct ConditionLayouts {
    ConditionLayout reply = conditionReplyLayout(0);
    ConditionLayout card = cardConditionLayout(0);
    ItemFieldMap items{0};

    // Follow the instrument last identified.
    void prepareConditionLayouts(int romVersion);
    // Follow the firmware version a card file was written by.
    void prepareCardLayout(int romVersion);
};

// The field of `item`; empty when the record has no field for it.
std::string itemText(const ConditionSet& set, const ItemFieldMap& items, int item);

}  // namespace kt520::conditions
