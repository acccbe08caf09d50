#pragma once
// One option group of the condition panel, typed by its code enum: which
// entries it has (hidden placeholders included), which one is chosen, and
// which are offered. A hidden entry is never shown, so only code chooses it.
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "conditions/Codes.h"

namespace kt520::conditions {

template <typename E>
class Choice {
  public:
    // `entries` in code order; `chosen` is selected and every entry offered.
    Choice(std::initializer_list<E> entries, E chosen, std::initializer_list<E> hidden = {})
        : entries_(entries), enabled_(entries_.size(), true), hidden_(hidden), selected_(chosen) {}

    const std::vector<E>& entries() const { return entries_; }
    bool has(E entry) const { return slot(entry) >= 0; }
    bool shown(E entry) const {
        return has(entry) && std::find(hidden_.begin(), hidden_.end(), entry) == hidden_.end();
    }
    // The entry whose code is `code`, when the group has one.
    std::optional<E> entryOf(int code) const {
        for (E entry : entries_)
            if (codeOf(entry) == code) return entry;
        return std::nullopt;
    }

    std::optional<E> selected() const { return selected_; }
    bool is(E entry) const { return selected_ == entry; }
    // The chosen entry's code when it is `from` or above (the walk the
    // sender makes over a group), else none.
    std::optional<int> codeFrom(int from) const {
        if (!selected_ || codeOf(*selected_) < from) return std::nullopt;
        return codeOf(*selected_);
    }
    // The chosen entry's code from `from` up, 0 when there is none.
    int codeOrZero(int from) const { return codeFrom(from).value_or(0); }

    // Chooses `entry` (deselecting the others); false when it was already chosen.
    bool set(E entry) {
        if (selected_ == entry || !has(entry)) return false;
        selected_ = entry;
        return true;
    }

    bool enabled(E entry) const {
        const int at = slot(entry);
        return at >= 0 && enabled_[static_cast<std::size_t>(at)];
    }
    void enable(E entry, bool on) {
        const int at = slot(entry);
        if (at >= 0) enabled_[static_cast<std::size_t>(at)] = on;
    }
    // Every entry whose code lies in [from, to]; a range may span gaps.
    void enableCodes(int from, int to, bool on) {
        for (E entry : entries_)
            if (codeOf(entry) >= from && codeOf(entry) <= to) enable(entry, on);
    }
    void enableAll(bool on) { std::fill(enabled_.begin(), enabled_.end(), on); }

    bool operator==(const Choice&) const = default;

  private:
    int slot(E entry) const {
        const auto found = std::find(entries_.begin(), entries_.end(), entry);
        return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
    }

    std::vector<E> entries_;
    std::vector<bool> enabled_;
    std::vector<E> hidden_;
    std::optional<E> selected_;
};

}  // namespace kt520::conditions
