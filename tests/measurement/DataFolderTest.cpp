// The data folder: which one each system uses, how a folder named on the
// command line is spelt, and the levels made when they are missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "measurement/DataFolder.h"
#include "support/TemporaryFolder.h"

namespace kt520::measurement {
namespace {

namespace fs = std::filesystem;
using kt520::testing::TemporaryFolder;
using Texts = std::vector<std::string>;

TEST(DataFolder, IsTheMakersFolderInThisSystemsPlaceForIt) {
#ifdef _WIN32
    // %ProgramData% decides, spelt with backslashes, C:\ProgramData without it.
    const std::string saved = programDataFolder(std::getenv("ProgramData"));
    ASSERT_EQ(_putenv_s("ProgramData", "D:\\Shared"), 0);
    EXPECT_EQ(defaultDataFolder().path(), "D:\\Shared\\Korvane Profilux\\KT-520\\");
    ASSERT_EQ(_putenv_s("ProgramData", ""), 0);
    EXPECT_EQ(defaultDataFolder().chain,
              (Texts{"C:\\ProgramData", "C:\\ProgramData\\Korvane Profilux",
                     "C:\\ProgramData\\Korvane Profilux\\KT-520"}));
    EXPECT_EQ(defaultDataFolder().path(), "C:\\ProgramData\\Korvane Profilux\\KT-520\\");
    ASSERT_EQ(_putenv_s("ProgramData", saved.c_str()), 0);
#else
    // The machine's folder, or else the one under $XDG_DATA_HOME.
    const TemporaryFolder user;
    ASSERT_EQ(::setenv("XDG_DATA_HOME", user.path().c_str(), 1), 0);
    const DataFolder chosen = defaultDataFolder();
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(chosen.chain.front() == "/var/lib" || chosen.chain.front() == user.path())
        << chosen.chain.front();
    EXPECT_TRUE(chosen.path().ends_with("/Korvane Profilux/KT-520/")) << chosen.path();
#endif
}

TEST(DataFolder, ElsewhereIsTheMachinesWhereThisUserMayWriteTheDeepestLevelThatExists) {
    const TemporaryFolder place;
    const fs::path machine = place.path() / "machine";
    const fs::path user = place.path() / "user";
    const fs::path maker = machine / "Korvane Profilux";
    const fs::path product = maker / "KT-520";
    struct Case {
        fs::path deepest;             // made with the levels above it; empty: none
        std::set<fs::path> writable;  // where this user may write
        fs::path userBase;
        bool machineChosen;
    };
    const std::vector<Case> cases{
        {machine, {machine}, user, true},
        {machine, {}, user, false},
        {maker, {maker}, user, true},
        {product, {product}, user, true},
        {product, {machine, maker}, user, false},  // the data folder itself decides
        {{}, {}, user, false},                     // no /var/lib at all
        {machine, {}, {}, true},                   // no user folder to fall back on
    };
    for (const Case& c : cases) {
        fs::remove_all(machine);
        if (!c.deepest.empty()) fs::create_directories(c.deepest);
        const DataFolder chosen = chooseDataFolder(machine, c.userBase, [&](const fs::path& level) {
            return c.writable.count(level) > 0;
        });
        EXPECT_EQ(chosen.chain, dataFolderUnder(c.machineChosen ? machine : user).chain)
            << c.deepest << " " << c.writable.size();
    }
    EXPECT_EQ(dataFolderUnder(machine).chain,
              (Texts{machine.string(), maker.string(), product.string()}));
}

TEST(DataFolder, UserPlacesFollowTheEnvironmentOnlyWhenItIsAbsolute) {
    EXPECT_EQ(userDataHome("/data", "/home/op"), "/data");
    EXPECT_EQ(userDataHome("relative", "/home/op"), "/home/op/.local/share");
    EXPECT_EQ(userDataHome(nullptr, nullptr), "");
    EXPECT_EQ(programDataFolder("E:\\Data"), "E:\\Data");
    EXPECT_EQ(programDataFolder(nullptr), "C:\\ProgramData");
}

TEST(DataFolder, NamedFolderIsAbsoluteAndItsLevelsAreMadeLeavingExistingOnesAlone) {
    const TemporaryFolder place;
    const fs::path named = place.path() / "runs" / "today";
    const DataFolder folder = dataFolderAt((named / "").string());
    ASSERT_EQ(folder.chain.size(), 1u);
    EXPECT_EQ(fs::path(folder.chain.front()), named.lexically_normal());
    EXPECT_EQ(folder.path(), (named.lexically_normal() / "").make_preferred().string());

    const DataFolder chain = dataFolderUnder(place.path());
    fs::create_directory(chain.chain[1]);
    std::ofstream(fs::path(chain.chain[1]) / "kept.txt") << "kept";
    createMissingFolders(chain);
    createMissingFolders(folder);
    EXPECT_TRUE(fs::is_directory(chain.chain.back()));
    EXPECT_TRUE(fs::is_directory(named));
    EXPECT_TRUE(fs::exists(fs::path(chain.chain[1]) / "kept.txt"));
}

}  // namespace
}  // namespace kt520::measurement
