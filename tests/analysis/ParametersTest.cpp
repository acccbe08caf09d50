// Parameters whose answers follow from the profile's construction, the
// choices that the instrument's standard and unit make, and the evaluation
// window against the program's own window cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "analysis/ProfileMeasures.h"
#include "analysis/RunAnalysis.h"
#include "profile/ProfileFilters.h"

namespace kt520::analysis {
namespace {

double valueOf(const std::vector<Parameter>& list, const std::string& name) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const Parameter& p) { return p.name == name; });
    EXPECT_NE(found, list.end()) << name;
    return found == list.end() ? NAN : found->value;
}

// A material-ratio curve made of three straight pieces: peaks from 3 to 1 um
// over the first 10 %, the core from 1 to -1 um up to 90 %, valleys down to
// -4 um. The least-gradient 40 % secant lies on the core (slope 2/80 um per
// %), so c(0) = 1.25, c(100) = -1.25, Rk = 2.5; the curve meets them at
// Mr1 = 8.75 % and Mr2 = 90.8333 %; the triangles give Rpk = 1.75, Rvk = 2.75.
TEST(CoreRoughness, PiecewiseMaterialRatioCurveGivesItsConstruction) {
    const std::size_t n = 200000;
    std::vector<double> z(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double p = 100.0 * (static_cast<double>(k) + 0.5) / n;
        z[k] = p < 10 ? 3 - 0.2 * p : p < 90 ? 1 - 2 * (p - 10) / 80 : -1 - 0.3 * (p - 90);
    }
    std::reverse(z.begin(), z.end());  // the order along the profile does not matter
    const CoreRoughness core = coreRoughness(MaterialRatioCurve(z));
    EXPECT_NEAR(core.rk, 2.5, 1e-4);
    EXPECT_NEAR(core.mr1, 8.75, 1e-3);
    EXPECT_NEAR(core.mr2, 90.0 + 2.5 / 3, 1e-3);
    EXPECT_NEAR(core.rpk, 1.75, 1e-3);
    EXPECT_NEAR(core.rvk, 2.75, 1e-3);
}

// Per sampling length: peaks 1..6 um and valleys -1..-6 um, one of each per
// element; the ten-point height takes the five highest and five deepest:
// (6+5+4+3+2)/5 + (6+5+4+3+2)/5 = 8 um, the peak-to-valley height 12 um.
TEST(TenPointHeight, AveragesTheFiveHighestPeaksAndDeepestValleys) {
    std::vector<double> z;
    for (int section = 0; section < 2; ++section)
        for (int k = 1; k <= 6; ++k) z.insert(z.end(), {0.5, double(k), 0.5, -double(k), -0.5});
    EXPECT_NEAR(tenPointHeight(z, 2), 8.0, 1e-12);

    RunConditions c;
    c.sections = 2;
    c.standard = Standard::Jis1994;
    EXPECT_NEAR(valueOf(profileParameters(z, c), "Rz"), 8.0, 1e-12);
    EXPECT_NEAR(valueOf(profileParameters(z, c), "Ry"), 12.0, 1e-12);
    c.standard = Standard::Iso1997;
    EXPECT_NEAR(valueOf(profileParameters(z, c), "Rz"), 12.0, 1e-12);
}

// Two sampling lengths with peaks 1 and 3 um, valleys -2 and -4 um: ISO 1997
// and JIS 2001 average them (Rp 2, Rv 3), the older standards take the
// evaluation length's highest and deepest (Rp 3, Rv 4).
TEST(ProfileParameters, RpAndRvFollowTheStandardAndHeightsTheUnit) {
    const std::vector<double> z{0, 1, 0, -2, 0, 3, 0, -4};
    RunConditions c;
    c.sections = 2;
    for (Standard s : {Standard::Iso1997, Standard::Jis2001, Standard::Jis1982, Standard::Jis1994,
                       Standard::Din1990, Standard::Ansi1995}) {
        c.standard = s;
        const bool iso = s == Standard::Iso1997 || s == Standard::Jis2001;
        const std::vector<Parameter> list = profileParameters(z, c);
        EXPECT_EQ(valueOf(list, "Rp"), iso ? 2.0 : 3.0) << standardName(s);
        EXPECT_EQ(valueOf(list, "Rv"), iso ? 3.0 : 4.0) << standardName(s);
        EXPECT_EQ(list.front().standard, standardName(s));  // Ra is every standard's own
    }
    c.unit = Unit::Inch;
    const std::vector<Parameter> inch = profileParameters(z, c);
    EXPECT_NEAR(valueOf(inch, "Rt"), 7 * kMicroinchPerMicrometre, 1e-9);
    EXPECT_EQ(inch.front().unit, "uinch");
    EXPECT_NEAR(valueOf(inch, "Rku"), valueOf(profileParameters(z, RunConditions{}), "Rku"), 1e-12);

    c.unit = Unit::Millimetre;
    c.profile = ProfileKind::Din4776;
    for (const char* core : {"Rk", "Rpk", "Rvk", "Mr1", "Mr2"})
        EXPECT_FALSE(std::isnan(valueOf(profileParameters(z, c), core))) << core;
    c.profile = ProfileKind::Waviness;
    EXPECT_EQ(profileParameters(z, c).front().name, "Wa");
}

// The window that the analysis cuts is the one the program writes to
// Measured.csv: the same points for every filter and every drop d.
TEST(EvaluationWindow, IsTheProgramsWindowCut) {
    for (const char* filter : {"1", "2", "3", "4"}) {
        const FilterKind kind = static_cast<FilterKind>(filter[0] - '1');
        for (int measured : {10, 11, 12, 13, 40}) {
            profile::TextList source(measured + 1);
            for (int i = 1; i <= measured; ++i) source[i] = std::to_string(i - 1);
            const int count = 6;
            profile::TextList destination;
            profile::extractEvaluationWindow(filter, source, destination, count);
            const Window w = evaluationWindow(kind, measured, count);
            EXPECT_EQ(destination[1], std::to_string(w.first)) << filter << " " << measured;
            EXPECT_EQ(w.count, static_cast<std::size_t>(count));
        }
    }
}

}  // namespace
}  // namespace kt520::analysis
