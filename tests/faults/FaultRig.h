#pragma once
// What the fault, chaos and soak tests share: a fault from its text, the
// data folder as it stands, and whether it holds one published run whole.
#include <gtest/gtest.h>

#include <map>

#include "analysis/ParameterText.h"
#include "profile/NumberText.h"
#include "sim/Faults.h"
#include "support/SessionRig.h"

namespace kt520::testing {

inline const std::string kLineLost = "Communication is abnormal! ";

inline sim::Faults faultFrom(const std::string& text) {
    sim::FaultRule rule;
    std::string error;
    EXPECT_TRUE(sim::parseFaultRule(text, rule, error)) << text << ": " << error;
    return {{rule}};
}

// The entries a data file holds: up to the first empty one, each with CR LF.
inline std::string fileOf(const Texts& entries) {
    return crlfLines(Texts(entries.begin(), std::ranges::find(entries, std::string())));
}

// The values of a profile file, or none when its last line is not whole.
inline std::optional<std::vector<double>> valuesIn(const std::string& text) {
    std::vector<double> values;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        values.push_back(profile::readValue(text.substr(from, end - from)));
    if (from != text.size()) return std::nullopt;
    return values;
}

// The folder holds the files of `run` and nothing else: the profiles,
// results, condition fields and listing, and the analysis the run published.
inline ::testing::AssertionResult holdsRun(const Folder& folder,
                                           const measurement::RunRecord& run) {
    Texts condition(run.conditions.fields.begin() + (run.conditions.fields.empty() ? 0 : 1),
                    run.conditions.fields.end());
    condition.insert(condition.end(), run.listing.begin(), run.listing.end());
    const auto file = [&](const char* name) {
        return folder.contains(name) ? folder.at(name) : std::string("<missing>");
    };
    std::string wrong;
    if (valuesIn(file("Measured.csv")) != run.measured) wrong += " Measured.csv";
    if (valuesIn(file("Evaluation.csv")) != run.evaluation) wrong += " Evaluation.csv";
    // A refused result read leaves no Parameter.csv, not even an earlier run's.
    if (file("Parameter.csv") != (run.resultsRefused ? "<missing>" : fileOf(run.results)))
        wrong += " Parameter.csv";
    if (file("Condition.csv") != fileOf(condition)) wrong += " Condition.csv";
    if (file("Analysis.csv") != analysis::csvParameters(run.analysis)) wrong += " Analysis.csv";
    if (folder.size() != (run.resultsRefused ? 4u : 5u))
        wrong += " (" + std::to_string(folder.size()) + " files)";
    if (wrong.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the folder does not hold the published run:" << wrong;
}

// A Start that runs to its end without a message and leaves its run in the folder.
inline ::testing::AssertionResult startsCleanly(SessionRig& rig) {
    rig.observer.messages.clear();
    const std::size_t runs = rig.observer.published.size();
    rig.act(Action::Start);
    if (!rig.observer.messages.empty() || rig.observer.published.size() != runs + 1)
        return ::testing::AssertionFailure()
               << ::testing::PrintToString(rig.observer.texts()) << " told, "
               << rig.observer.published.size() - runs << " runs published";
    return holdsRun(snapshot(rig.folder.path()), rig.observer.published.back());
}

}  // namespace kt520::testing
