#pragma once
// The routines that prepare profile lists before they are written: decimal
// mark repair, the evaluation window, closing gaps and tilt compensation.
//
// A profile list holds one number text per entry, numbered from 1; entry 0
// exists but is never used, so a list's upper index is size() - 1. The
// routines change the caller's lists in place and keep no state.
#include <string>
#include <string_view>
#include <vector>

namespace kt520::profile {

using TextList = std::vector<std::string>;

// Position of the filter code in a condition list, and the code of the 2CR
// filter, whose evaluation section is the end of the filtered profile.
inline constexpr int kFilterCodePosition = 4;
inline constexpr std::string_view kFilter2CR = "1";

// In every entry from 1 to the upper index, replaces the first occurrence of
// find by replacement; a second occurrence stays.
void replaceFirstChar(TextList& list, char find, std::string_view replacement);

// Writes count entries of source into destination entries 1 to count; the
// entries dropped are d = upper index of source - count. With the 2CR filter
// the first d entries are dropped; with any other filter the window starts at
// entry h = d / 2 rounded half to even (so the window starts at entry 0 when
// d = 1). destination grows to count + 1 entries if it is shorter; its
// entries after count are not touched. A source shorter than count (d < 0)
// is taken as d = 0, and entries it lacks are written empty.
void extractEvaluationWindow(std::string_view filterCode, const TextList& source,
                             TextList& destination, int count);

// Keeps the entries that are not blank (empty once leading and trailing
// blanks are removed), unchanged and in order, as entries 1 to K of a list
// whose upper index is K. With no such entry the list keeps only entry 0.
void removeEmptyEntries(TextList& list);

// Replaces entries 1 to count by their residuals from the least-squares line
// over the entry numbers, in single precision, written as number text.
// Entries above count are not touched. Does nothing for count < 2 or for a
// list with fewer than count entries.
void tiltCorrect(TextList& list, int count);

}  // namespace kt520::profile
