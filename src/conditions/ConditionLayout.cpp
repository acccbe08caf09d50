#include "conditions/ConditionLayout.h"

#include <stdexcept>
#include <string>

namespace kt520::conditions {
namespace {

// Fields 1 to 37, the same in every form.
const std::vector<int> kCommonWidths = {
    1,  1,  1, 1, 1, 1, 1, 1,                 // 1-8
    11,                                       // 9
    1,  1,  1,                                // 10-12
    5,  5,  5,                                // 13-15
    14, 59, 2, 6, 6, 7, 1, 9, 6, 16, 11, 31,  // 16-27
    1,  1,  1, 1, 1, 1, 1, 1,                 // 28-35
    5,  1,                                    // 36, 37
};

// Fields 38 to 51 of the long reply, which the long card record repeats.
const std::vector<int> kLongReplyTail = {23, 1, 1, 11, 1, 11, 1, 1, 11, 1, 1, 11, 11, 1};
const std::vector<int> kShortReplyTail = {30};
const std::vector<int> kLongCardExtra = {1, 4, 1, 1, 1, 1, 1, 7, 1, 1, 2, 2, 1, 1, 1, 10};
const std::vector<int> kShortCardTail = {1, 5, 1, 1, 1, 1, 1, 7, 1, 1, 2, 2, 1, 1, 2, 10};

ConditionLayout build(std::initializer_list<const std::vector<int>*> parts) {
    std::vector<int> widths;
    for (const auto* part : parts) widths.insert(widths.end(), part->begin(), part->end());
    return ConditionLayout(widths);
}

bool isLong(int romVersion) {
    return romVersion >= kLongRecordFirmware;
}

}  // namespace

ConditionLayout::ConditionLayout(const std::vector<int>& widths) {
    int position = 1;
    for (int width : widths) {
        spans_.push_back({position, width});
        position += width;
    }
}

int ConditionLayout::totalWidth() const {
    return spans_.empty() ? 0 : spans_.back().start + spans_.back().width - 1;
}

FieldSpan ConditionLayout::span(int k) const {
    if (k < 1 || k > fieldCount())
        throw std::out_of_range("condition field " + std::to_string(k) + " does not exist");
    return spans_[static_cast<size_t>(k - 1)];
}

std::vector<std::string> ConditionLayout::cut(std::string_view record, int leadingChars) const {
    std::vector<std::string> fields(spans_.size() + 1);
    for (size_t k = 0; k < spans_.size(); ++k) {
        const size_t from = static_cast<size_t>(spans_[k].start - 1 + leadingChars);
        if (from < record.size())
            fields[k + 1] = std::string(record.substr(from, static_cast<size_t>(spans_[k].width)));
    }
    return fields;
}

ConditionLayout conditionReplyLayout(int romVersion) {
    return isLong(romVersion) ? build({&kCommonWidths, &kLongReplyTail})
                              : build({&kCommonWidths, &kShortReplyTail});
}

ConditionLayout cardConditionLayout(int romVersion) {
    return isLong(romVersion) ? build({&kCommonWidths, &kLongReplyTail, &kLongCardExtra})
                              : build({&kCommonWidths, &kShortCardTail});
}

int ItemFieldMap::fieldOf(int item) const {
    if (item < 1 || item > 67) return 0;
    if (long_ || item <= 37) return item;
    return item >= 52 ? item - 14 : 0;
}

void ConditionLayouts::prepareConditionLayouts(int romVersion) {
    reply = conditionReplyLayout(romVersion);
    items = ItemFieldMap(romVersion);
}

void ConditionLayouts::prepareCardLayout(int romVersion) {
    card = cardConditionLayout(romVersion);
}

std::string itemText(const ConditionSet& set, const ItemFieldMap& items, int item) {
    const size_t field = static_cast<size_t>(items.fieldOf(item));
    if (field == 0 || field >= set.fields.size()) return {};
    return set.fields[field];
}

}  // namespace kt520::conditions
