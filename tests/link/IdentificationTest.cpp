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
    EXPECT_EQ(identificationFields("\r"), std::vector<std::string>{""});
}

TEST(Identification, TakesModelVersionAndDriveRange) {
    const ModelInfo info = parseIdentification(answer("1.103", " 50 "));
    EXPECT_EQ(info.modelName, "KT520");
    EXPECT_EQ(info.romVersion, 1103);
    EXPECT_FLOAT_EQ(info.driveRange, 50.0f);
    EXPECT_EQ(info.modelKind, 2);
}

TEST(Identification, DriveRangesOneAndTwoAreInches) {
    EXPECT_FLOAT_EQ(parseIdentification(answer("1.103", "1")).driveRange, 25.4f);
    EXPECT_FLOAT_EQ(parseIdentification(answer("1.103", "2")).driveRange, 50.8f);
    EXPECT_FLOAT_EQ(parseIdentification(answer("1.103", "1.5")).driveRange, 1.5f);
    EXPECT_FLOAT_EQ(parseIdentification("RDKTKT520 V 1.103\r").driveRange, 0.0f);
}

TEST(Identification, AVersionThatIsNoNumberIsZero) {
    const ModelInfo info = parseIdentification(answer("V1.1a", "2"));
    EXPECT_EQ(info.romVersion, 0);
    EXPECT_EQ(info.modelKind, 0);
}

TEST(Identification, FirmwareDecidesTheModelKind) {
    const std::vector<std::pair<std::string, std::int16_t>> table = {
        {"1.1  ", 0}, {"1.101", 0}, {"1.102", 1}, {"1.103", 2},
        {"1.306", 2}, {"1.307", 3}, {"1.311", 3}};
    for (const auto& [version, kind] : table) {
        EXPECT_EQ(parseIdentification(answer(version, "2")).modelKind, kind) << version;
    }
}

TEST(Identification, OtherModelsKeepThePreviousKind) {
    ModelInfo previous;
    previous.modelKind = 3;
    const ModelInfo info = parseIdentification(answer("1.000", "2", "KT210"), previous);
    EXPECT_EQ(info.modelName, "KT210");
    EXPECT_EQ(info.romVersion, 1000);
    EXPECT_EQ(info.modelKind, 3);
}

TEST(Identification, ShortAnswersGiveWhatIsThere) {
    const ModelInfo info = parseIdentification("RDKTKT5\r");
    EXPECT_EQ(info.modelName, "KT5");
    EXPECT_EQ(info.romVersion, 0);
    EXPECT_EQ(parseIdentification("").modelName, "");
}

}  // namespace
}  // namespace kt520::link
