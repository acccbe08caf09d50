// Reading ModelInfo from the answer to "RDKT 00".
#include <gtest/gtest.h>

#include "link/Identification.h"

namespace kt520::link {
namespace {

// An answer with the given version text (five characters at 13-17 of field 1)
// and the given drive-range field 18.
std::string answer(const std::string& version, const std::string& range,
                   const std::string& model = "KT520") {
    std::string reply = "RDKT" + model + " V " + version;
    for (int field = 2; field <= 17; ++field) reply += "," + std::to_string(field);
    return reply + "," + range + ";ignored,99\r";
}

TEST(IdentificationFields, SplitAtCommasUpToTheFirstSemicolonOrCarriageReturnTrimmed) {
    EXPECT_EQ(identificationFields(" a , b ,c;d,e\r"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(identificationFields("a,,b\rc,d"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Identification, FirmwareDecidesVersionAndModelKind) {
    const std::tuple<const char*, std::int16_t, std::int16_t> table[] = {
        {"V1.1a", 0, 0},    {"1.101", 1101, 0}, {"1.102", 1102, 1}, {"1.103", 1103, 2},
        {"1.306", 1306, 2}, {"1.307", 1307, 3}, {"1.311", 1311, 3}};
    for (const auto& [version, rom, kind] : table) {
        const ModelInfo info = parseIdentification(answer(version, "2"));
        EXPECT_EQ(std::tuple(info.modelName, info.romVersion, info.modelKind),
                  std::tuple("KT520", rom, kind))
            << version;
    }
}

TEST(Identification, DriveRangesOneAndTwoAreInchesOthersMillimetres) {
    for (const auto& [range, mm] : {std::pair{" 50 ", 50.0f}, {"1", 25.4f}, {"2", 50.8f}})
        EXPECT_FLOAT_EQ(parseIdentification(answer("1.103", range)).driveRange, mm) << range;
    EXPECT_FLOAT_EQ(parseIdentification("RDKTKT520 V 1.103\r").driveRange, 0.0f);
}

TEST(Identification, OtherModelsKeepThePreviousKindAndShortAnswersGiveWhatIsThere) {
    ModelInfo previous;
    previous.modelKind = 3;
    const ModelInfo info = parseIdentification(answer("1.000", "2", "KT210"), previous);
    EXPECT_EQ(std::tuple(info.modelName, info.romVersion, info.modelKind),
              std::tuple("KT210", 1000, 3));
    EXPECT_EQ(parseIdentification("RDKTKT5\r").modelName, "KT5");
    EXPECT_EQ(parseIdentification("").modelName, "");
}

}  // namespace
}  // namespace kt520::link
