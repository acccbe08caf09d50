#pragma once
// How many points a profile transfer should bring, for the progress bar only.
//
// Motif profiles (R MOTIF, W MOTIF) follow motif limit A (item 30):
//   "2" 4300, "3" 6450, "4" 10700, "5" 10500 on a 50.8 mm drive else 5100.
// Every other profile follows its lengths: the evaluation profile holds the
// evaluation length divided by the sampling pitch (item 14); with pre/post
// travel on (item 22) the measured profile adds one cut-off before the window
// and, except with the 2CR filter, one after it. See docs/data-files.md.
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"
#include "link/ModelInfo.h"

namespace kt520::measurement {

enum class ProfileKind { Measured = 0, Evaluation = 1 };

struct ExpectedPointsInput {
    bool motifProfileSelected;  // optCUV(5) or optCUV(6)
    const conditions::ConditionSet& conditions;
    const conditions::ItemFieldMap& items;
    const link::ModelInfo& model;
    ProfileKind profile;
};

// A motif limit A outside the table is an internal fault (lang::failInternal).
// Lengths that cannot be read give 0 (the bar then only shows that the
// transfer runs). Never more than 30000.
int expectedPoints(const ExpectedPointsInput& input);

}  // namespace kt520::measurement
