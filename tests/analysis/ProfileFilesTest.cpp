// The profile readers on files written from the formats' descriptions: one
// height per line, the ASCII SDF of ISO 25178-71 and the SMD softgauge
// format of ISO 5436-2; bad files give the line they stumble on.
#include <gtest/gtest.h>

#include "analysis/ProfileFiles.h"

namespace kt520::analysis {
namespace {

using namespace std::string_literals;

struct Good {
    const char* name;
    ProfileFormat format;
    std::string content;
    std::vector<double> heights;
    std::optional<double> spacing;
};

// An SDF profile as ISO 25178-71 lays it out: version, "Key = value" header
// up to "*", the values, "*", and an optional trailer.
const std::string kSdf =
    "aISO-1.0\nManufacID   = KT-520\nCreateDate  = 051220262100\nModDate     = 051220262100\n"
    "NumPoints   = 4\nNumProfiles = 1\nXscale      = 0.25e-6\nYscale      = 0\n"
    "Zscale      = 1.0E-6\nZresolution = -1\nCompression = 0\nDataType    = 7\n"
    "CheckType   = 0\n*\n\n0.5 -0.25\n1.5E-01\n-2\n*\nOperator = test\n*\n";

// ISO 5436-2: header record with the axis definitions, additional
// information, data, checksum; records end with ETX here.
const std::string kSmdIncremental =
    "ISO 5436 - 2000 TYPE-F1\nCX I 3 mm 1.0E+000 D 5.0E-004\nCZ A 3 um 1.0E+000 D\n\x03"
    "DATE 05/12/2026\nCREATED-BY KT-520 tests\n\x03"
    "0.125\n-1.5\n2\n\x03"
    "12345\n\x03";

// The same with records ended by "EOR" lines, an absolute x axis (x and z
// on every line, in mm) and z in nanometres.
const std::string kSmdAbsolute =
    "ISO 5436 - 2000 TYPE-F1\r\nCX A 3 mm 1.0E+000 D\r\nCZ A 3 nm 1.0E+000 D\r\nEOR\r\n"
    "DATE 05/12/2026\r\nEOR\r\n0.000 125\r\n0.002 -1500\r\n0.004 2000\r\nEOR\r\nEOF\r\n";

TEST(ProfileFiles, ReadsEveryFormatItsDescriptionAllows) {
    const Good cases[] = {
        {"text LF", ProfileFormat::Text, "1.5\n-.25\n2\n", {1.5, -0.25, 2}, std::nullopt},
        {"text CRLF, last line blank",
         ProfileFormat::Text,
         "1E-03\r\n+4\r\n\r\n",
         {1e-3, 4},
         std::nullopt},
        {"sdf", ProfileFormat::Sdf, kSdf, {0.5, -0.25, 0.15, -2}, 0.25},
        {"smd incremental", ProfileFormat::Smd, kSmdIncremental, {0.125, -1.5, 2}, 0.5},
        {"smd absolute", ProfileFormat::Smd, kSmdAbsolute, {0.125, -1.5, 2}, 2.0},
    };
    for (const Good& c : cases) {
        const ProfileRead read = readProfile(c.content, c.format);
        ASSERT_TRUE(read.ok()) << c.name << ": " << read.error << " at " << read.errorLine;
        ASSERT_EQ(read.heightsUm.size(), c.heights.size()) << c.name;
        for (std::size_t i = 0; i < c.heights.size(); ++i)
            EXPECT_NEAR(read.heightsUm[i], c.heights[i], 1e-12) << c.name << " " << i;
        ASSERT_EQ(read.spacingUm.has_value(), c.spacing.has_value()) << c.name;
        if (c.spacing) {
            EXPECT_NEAR(*read.spacingUm, *c.spacing, 1e-12) << c.name;
        }
    }
}

struct Bad {
    const char* name;
    ProfileFormat format;
    std::string content;
    std::size_t line;
    const char* says;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(ProfileFiles, BadFilesNameTheLineAndWhatIsWrong) {
    const Bad cases[] = {
        {"word", ProfileFormat::Text, "1\n2\nabc\n", 3, "\"abc\" is not a height"},
        {"comma", ProfileFormat::Text, "1,5\n", 1, "is not a height"},
        {"gap", ProfileFormat::Text, "1\n\n2\n", 2, "blank line"},
        {"empty", ProfileFormat::Text, "", 0, "no heights"},
        {"infinite", ProfileFormat::Text, "1\ninf\n", 2, "is not a height"},
        {"binary sdf", ProfileFormat::Sdf, "bISO-1.0\n", 1, "binary"},
        {"short sdf", ProfileFormat::Sdf, replaced(kSdf, "-2\n", ""), 18, "3 values where"},
        {"sdf word", ProfileFormat::Sdf, replaced(kSdf, "1.5E-01", "x"), 17, "\"x\" is not"},
        {"sdf no scale", ProfileFormat::Sdf, replaced(kSdf, "Zscale", "Qscale"), 14, "lacks"},
        {"sdf area", ProfileFormat::Sdf, replaced(kSdf, "NumProfiles = 1", "NumProfiles = 3"), 14,
         "an area"},
        {"sdf header", ProfileFormat::Sdf, "aISO-1.0\nNumPoints 4\n", 2, "Key = value"},
        {"smd axis", ProfileFormat::Smd, replaced(kSmdIncremental, "mm 1.0E+000 D 5", "furlong"), 2,
         "bad axis"},
        {"smd count", ProfileFormat::Smd, replaced(kSmdIncremental, "CZ A 3", "CZ A 4"), 9,
         "3 values where"},
        {"smd no cz", ProfileFormat::Smd, replaced(kSmdIncremental, "CZ A 3 um 1.0E+000 D\n", ""),
         5, "lacks"},
        {"smd pair", ProfileFormat::Smd, replaced(kSmdAbsolute, "0.002 -1500", "-1500"), 8,
         "not x and z"},
        {"smd uneven", ProfileFormat::Smd, replaced(kSmdAbsolute, "0.004 2000", "0.005 2000"), 0,
         "not evenly spaced"},
    };
    for (const Bad& c : cases) {
        const ProfileRead read = readProfile(c.content, c.format);
        EXPECT_FALSE(read.ok()) << c.name;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << c.name << ": " << read.error;
        EXPECT_EQ(read.errorLine, c.line) << c.name << ": " << read.error;
    }
}

TEST(ProfileFiles, FormatFollowsTheExtension) {
    EXPECT_EQ(formatOfFileName("Ground.SDF"), ProfileFormat::Sdf);
    EXPECT_EQ(formatOfFileName("gauge.smd"), ProfileFormat::Smd);
    EXPECT_EQ(formatOfFileName("Measured.csv"), ProfileFormat::Text);
    EXPECT_EQ(formatOfFileName("heights"), ProfileFormat::Text);
}

}  // namespace
}  // namespace kt520::analysis
