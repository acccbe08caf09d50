// The memory-card import: a measurement the simulated instrument saved to its
// card gives the files of the same measurement over the line, with no
// instrument connected; every bad card gets its message and writes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "card/CardFolder.h"
#include "support/SessionRig.h"

namespace kt520::testing {
namespace {

using conditions::Item;

void importCard(SessionRig& rig, const std::filesystem::path& smbFile, bool tilt = false) {
    rig.session.post({Action::CardImport, tilt ? 1 : 0, {}, smbFile});
    rig.settle();
}

struct SameMeasurement {
    const char* firmware;
    int romVersion;
    bool inch;
    bool tilt;
    conditions::Filter filter;
    std::size_t cardFields;
};

class CardOfARun : public ::testing::TestWithParam<SameMeasurement> {};

TEST_P(CardOfARun, GivesTheFilesOfTheSameMeasurementOverTheLine) {
    const SameMeasurement& c = GetParam();
    TemporaryFolder card;
    sim::SimConfig config;
    config.firmwareVersion = c.firmware;
    config.cardFolder = card.path().string();
    SessionRig line(config);
    line.connect();
    if (c.inch) line.panel.click(Item::Unit, codeOf(conditions::Unit::Inch));
    line.panel.click(Item::Filter, codeOf(c.filter));
    line.panel.setTiltCompensation(c.tilt);
    line.act(Action::Start);
    ASSERT_EQ(line.observer.published.size(), 1u);
    const measurement::RunRecord& run = line.observer.published.front();
    ASSERT_EQ(run.inch, c.inch);

    SessionRig reader;  // its instrument is never connected
    importCard(reader, card.path() / "KT000001.SMB", c.tilt);
    EXPECT_EQ(reader.observer.texts(), Texts{});
    for (const char* name : {"Measured.csv", "Evaluation.csv", "Parameter.csv", "Analysis.csv"})
        EXPECT_EQ(reader.file(name), line.file(name)) << name;
    ASSERT_EQ(reader.observer.published.size(), 1u);
    const measurement::RunRecord& imported = reader.observer.published.front();
    EXPECT_EQ(imported.source, measurement::RunRecord::Source::Card);
    EXPECT_EQ(imported.conditions.fields.size() - 1, c.cardFields);
    EXPECT_EQ(imported.listing, run.listing);
    Texts lines(imported.conditions.fields.begin() + 1, imported.conditions.fields.end());
    lines.insert(lines.end(), run.listing.begin(), run.listing.end());
    EXPECT_EQ(reader.file("Condition.csv"), crlfLines(lines));
    EXPECT_EQ(imported.measured, run.measured);
    EXPECT_EQ(imported.results, reader.observer.list);

    // The window follows the card's firmware, the panel its conditions.
    EXPECT_EQ(reader.observer.model.romVersion, c.romVersion);
    EXPECT_EQ(reader.session.model().modelName, "KT520");
    EXPECT_EQ(reader.panel.state().unit.is(conditions::Unit::Inch), c.inch);
    EXPECT_TRUE(reader.panel.state().filter.is(c.filter));
    EXPECT_TRUE(reader.observer.statuses.back().starts_with(
        "Finished: the data files are written from the card file KT000001.SMB (measured 20"))
        << reader.observer.statuses.back();
}

INSTANTIATE_TEST_SUITE_P(
    Firmwares, CardOfARun,
    ::testing::Values(SameMeasurement{"1.311", 1311, false, false, conditions::Filter::TwoCR, 67},
                      SameMeasurement{"1.102", 1102, true, true, conditions::Filter::Gauss, 53}));

// A card written here, a previous run's files in the data folder.
class BadCard : public ::testing::Test {
  protected:
    BadCard() {
        good.header = {"KT520", "1.311", 1311, "2024/05/17 14:03:22"};
        good.conditionRecord = sim::cardConditionRecord(sim::MeasuringConditions{}, 2, 1311);
        good.results = {"1.23", "4.56"};
        good.measured = {1, 2, 3, 4, 5, 6};
        good.evaluation = {.5f, -.5f, 1, 2};
        for (const char* name : {"Measured.csv", "Evaluation.csv", "Parameter.csv"})
            std::ofstream(rig.folder.path() / name, std::ios::binary) << "previous " << name;
    }
    std::filesystem::path save(const card::CardMeasurement& measurement) {
        const card::Saved saved = card::saveToCard(card.path(), measurement);
        EXPECT_EQ(saved.error, "");
        return saved.smbFile;
    }

    TemporaryFolder card;
    card::CardMeasurement good;
    SessionRig rig;
};

std::filesystem::path cardFile(const std::filesystem::path& smb, const char* extension) {
    return std::filesystem::path(smb).replace_extension(extension);
}

void rewrite(const std::filesystem::path& path, const std::function<void(std::string&)>& change) {
    std::string bytes = fileText(path);
    change(bytes);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

using ChangeCard = std::function<std::filesystem::path(const std::filesystem::path& smb)>;
ChangeCard changed(const char* extension, void (*change)(std::string&)) {
    return [=](const std::filesystem::path& smb) {
        rewrite(cardFile(smb, extension), change);
        return smb;
    };
}
TEST_F(BadCard, GetsItsMessageAndWritesNothing) {
    struct Case {
        const char* what;
        std::function<void(card::CardMeasurement&)> written;
        ChangeCard damaged;
        std::string message;
    };
    const auto nothing = [](card::CardMeasurement&) {};
    const auto same = [](const std::filesystem::path& smb) { return smb; };
    const std::string damagedRcb = "The card file KT000001.RCB is damaged: ";
    const std::string damagedSmb = "The card file KT000001.SMB is damaged: ";
    std::vector<Case> cases = {
        {"the other model", [](auto& m) { m.header.modelName = "KT210"; }, same,
         "This is data of KT210."},
        {"an unknown model", [](auto& m) { m.header.modelName = "KT999"; }, same,
         "It is not supported. "},
        {"a firmware the window cannot take", [](auto& m) { m.header.firmwareText = "0.950"; },
         same, "Stopped in a limit."},
        {"a record of the short layout",
         [](auto& m) {
             m.conditionRecord = sim::cardConditionRecord(sim::MeasuringConditions{}, 2, 1102);
         },
         same, "CF Version Error"},
        {"a format version this reader does not know", nothing,
         changed(".RES", [](std::string& b) { b[5] = 2; }), "CF Version Error"},
        {"an unreadable drive", nothing,
         [](const auto& smb) { return smb.parent_path() / "gone" / smb.filename(); },
         "Please insert a disk into drive."},
        {"a missing companion", nothing,
         [](const auto& smb) {
             std::filesystem::remove(cardFile(smb, ".CSV"));
             return smb;
         },
         "The card file KT000001.CSV is missing."},
        {"bytes after the end", nothing, changed(".SMB", [](std::string& b) { b += '\0'; }),
         damagedSmb + "bytes follow its end."},
        {"another kind of file", nothing,
         changed(".SMB", [](std::string& b) { b = "Hello, KT-520"; }),
         damagedSmb + "it is not a KT-520 card file of its kind."},
        {"a height that is no number", [](auto& m) { m.measured[2] = std::nanf(""); }, same,
         damagedSmb + "its contents contradict its own header."},
        {"a cut-off code no table knows", [](auto& m) { m.conditionRecord[0] = '9'; }, same,
         damagedRcb + "its condition record holds a code this program does not know."},
    };
    // Each of the four files cut after 20 bytes, or with one byte of its body changed.
    const std::pair<const char*, int> sizes[] = {
        {".SMB", 77}, {".RCB", 355}, {".RES", 34}, {".CSV", 24}};
    for (const auto& [extension, bytes] : sizes) {
        const std::string file = "The card file KT000001" + std::string(extension);
        cases.push_back(
            {extension, nothing, changed(extension, [](std::string& b) { b.resize(20); }),
             file + " is cut short: it holds 20 of its " + std::to_string(bytes) + " bytes."});
        cases.push_back({extension, nothing,
                         changed(extension, [](std::string& b) { b[12] ^= 0x01; }),
                         file + " is damaged: its checksum does not match its contents."});
    }
    const auto before = snapshot(rig.folder.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(card.path());
        std::filesystem::create_directory(card.path());
        card::CardMeasurement measurement = good;
        c.written(measurement);
        const std::filesystem::path chosen = c.damaged(save(measurement));
        rig.observer.messages.clear();
        importCard(rig, chosen);
        EXPECT_EQ(rig.observer.texts(), Texts{c.message});
        EXPECT_EQ(snapshot(rig.folder.path()), before);
        EXPECT_EQ(rig.observer.runs.back().outcome, measurement::RunRecord::Outcome::Failed);
        EXPECT_EQ(rig.observer.statuses.back(), "Failed: " + c.message);
    }
    EXPECT_TRUE(rig.observer.published.empty());
    EXPECT_FALSE(rig.observer.ended);
}

// A card may hold "A" as its range; it reads as 800 um.
TEST_F(BadCard, RangeAReadsAs800Micrometres) {
    good.conditionRecord[5] = 'A';
    importCard(rig, save(good));
    EXPECT_EQ(rig.observer.texts(), Texts{});
    EXPECT_EQ(rig.observer.published.at(0).conditions.fields[6], "5");
    EXPECT_TRUE(rig.file("Condition.csv").find("RNG 800um\r\n") != std::string::npos);
    EXPECT_TRUE(rig.panel.state().range.is(conditions::Range::Um800));
}

}  // namespace
}  // namespace kt520::testing
