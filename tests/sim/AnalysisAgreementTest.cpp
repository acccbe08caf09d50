// The analysis library against the simulated instrument: a simulated run's
// measured profile, analysed by the library, gives the instrument's own
// evaluation profile and result fields. The fields carry three decimals, so
// each agrees within half a unit of the last one (0.0005) plus what single
// precision adds (1e-6 relative); the evaluation profile within 1e-6 um.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "SimHost.h"
#include "analysis/RunAnalysis.h"
#include "sim/ProfileAnalysis.h"

namespace kt520::sim {
namespace {

using link::Millis;

struct Case {
    const char* name;
    std::vector<const char*> commands;  // after the defaults: R, 2CR, ISO 1997, 0.8 mm x 3
    const char* yField;                 // the name of the largest peak-to-valley height
};

const Case kCases[] = {
    {"R 2CR ISO", {}, "z1max"},
    {"R PC75 JIS 1994", {"WRFIL22", "WRSTD2"}, "y"},
    {"R GAUSS JIS 2001 inch", {"WRFIL23", "WRSTD6", "WRUNT2"}, "z1max"},
    {"R GAUSS ANSI 0.25 x 5", {"WRFIL23", "WRSTD5", "WRCUT25"}, "max"},
    {"R 2CR JIS 1982 2.5 x 1", {"WRSTD1", "WRCUT41"}, "max"},
    {"DIN4776 GAUSS DIN", {"WRFIL43", "WRSTD3"}, "max"},
    {"W GAUSS fl 2.5", {"WRFIL33", "WRFHL43"}, "z1max"},
    {"W PC75 no fl", {"WRFIL32"}, "z1max"},
    {"P JIS 2001", {"WRFIL14", "WRSTD6"}, "z1max"},
};

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string field; std::getline(in, field, ',');) out.push_back(field);
    return out;
}

// Runs the case on the simulated instrument and checks the library's
// evaluation profile and parameters against the instrument's.
void checkAgreement(const Case& c) {
    SimConfig config;
    config.speedFactor = 200;
    Instrument instrument(config);
    testing::SimHost host(instrument);
    for (const char* command : c.commands) host.accept({command});
    host.accept({"WRSTA"});
    for (int guard = 0; guard < 200 && host.status()[0] != '0'; ++guard) host.collect(Millis{100});
    const std::string reply = host.ask("RDRES00");
    ASSERT_TRUE(reply.starts_with("OK")) << reply;
    const std::vector<std::string> fields = split(reply.substr(2, reply.size() - 3));

    const analysis::RunConditions conditions =
        analysisConditions(instrument.conditions(), instrument.samplingPlan());
    const std::vector<double> measured(instrument.measuredProfile().begin(),
                                       instrument.measuredProfile().end());
    const std::vector<double> theirs(instrument.evaluationProfile().begin(),
                                     instrument.evaluationProfile().end());
    const analysis::Window window =
        analysis::evaluationWindow(conditions.filter, measured.size(), theirs.size());
    const std::vector<double> ours = analysis::evaluationProfile(measured, window, conditions);
    ASSERT_EQ(ours.size(), theirs.size());
    for (std::size_t i = 0; i < ours.size(); ++i) ASSERT_NEAR(ours[i], theirs[i], 1e-6) << i;

    const std::vector<analysis::Parameter> parameters =
        analysis::analyseRun(measured, theirs, conditions);
    const char letter = parameters.front().name.front();
    const std::string suffixes[] = {"a", c.yField, "z", "q", "t", "p", "v", "sk", "ku"};
    ASSERT_EQ(fields.size(), std::size(suffixes));
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::string name = letter + suffixes[k];
        const auto found = std::find_if(parameters.begin(), parameters.end(),
                                        [&](const auto& p) { return p.name == name; });
        ASSERT_NE(found, parameters.end()) << name;
        EXPECT_NEAR(found->value, std::stod(fields[k]), 0.0005 + 1e-6 * std::fabs(found->value))
            << name;
        EXPECT_EQ(fields[k].size() - fields[k].find('.'), 4u) << name << ": three decimals";
    }
}

TEST(AnalysisAgreement, LibraryGivesTheInstrumentsProfileAndFields) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        checkAgreement(c);
    }
}

}  // namespace
}  // namespace kt520::sim
