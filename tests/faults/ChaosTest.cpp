// Operator chaos: seeded random operator actions at random moments of runs
// against the simulated instrument, through the gate the window has (a busy
// run leaves only Stop and the panel's options usable). Whatever the order,
// no message appears that the operator's own timing or an injected fault
// does not explain, the program goes on, every jog's "WRSTP" follows its
// move on the wire, and the data folder only ever holds one run whole.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "FaultRig.h"

namespace kt520::testing {
namespace {

using async::Millis;
using conditions::Item;

// What the operator's own doing explains: Start or Read while the drive
// moves or stands at its limit, Result or Condition Read while it moves,
// Read after a Stop, and conditions whose travel is longer than the drive.
const Texts kExplainedByTheOperator = {"The measurement is not finished currently. ",
                                       "Please wait for a while.", "NON DATA", "Condition Error"};

// A fault a seed may inject, with the messages it explains.
struct Injected {
    const char* fault;
    Texts explains;
};
const Injected kInjected[] = {
    {"no-answer:RDDTB00#40", {kLineLost}},
    {"close:RDSTU00#9", {kLineLost, "COM1: Cannot be connected to KT-520! "}},
    {"ng:RDSTU00#6=10", {"Communication Error"}},
    {"ng:WRCUT#2=05", {"OverRange-In"}},
    {"garbage:RDSTU00#7", {}},
    {"late:RDCON00#2=2500", {}},
    {"huge-block:RDDTB00#30",
     {"A data block of 1001 points was dropped: a block holds at most 1000."}},
};

struct Click {
    std::optional<Action> action;  // none: an option of the panel
    double weight;                 // how often it comes
};
const Click kClicks[] = {{Action::Stop, 1},     {std::nullopt, 4},          {Action::Start, 4},
                         {Action::JogPress, 3}, {Action::Read, 2},          {Action::ResultRead, 2},
                         {Action::Origin, 1},   {Action::ConditionRead, 2}, {Action::Connect, 1}};
constexpr Millis kChaosTime{180'000};

struct Jog {
    std::size_t postedAt;  // how many commands had gone out when it was pressed
    int button;
};

// On the wire, in the order pressed, each press's speed and motion, then its release's "WRSTP".
::testing::AssertionResult jogsInOrder(const Tap& tap, const std::vector<Jog>& jogs) {
    const Texts kMoves[] = {{"WRSPD33", "WRESP", "WRSTP"},
                            {"WRSPD44", "WRESP", "WRSTP"},
                            {"WRSPD33", "WRRTN", "WRSTP"},
                            {"WRSPD44", "WRRTN", "WRSTP"}};
    auto sent = tap.sent.begin();
    for (const Jog& jog : jogs) {
        const Texts& expected = kMoves[jog.button - 1];
        sent = std::find_if(std::max(sent, tap.sent.begin() + static_cast<long>(jog.postedAt)),
                            tap.sent.end(), [&](const auto& c) { return c.first == expected[0]; });
        Texts wire;
        for (; sent != tap.sent.end() && wire.size() < 3; ++sent) wire.push_back(sent->first);
        if (wire != expected)
            return ::testing::AssertionFailure()
                   << "jog " << jog.button << " pressed after command " << jog.postedAt
                   << " went out as " << ::testing::PrintToString(wire);
    }
    return ::testing::AssertionSuccess();
}

class Chaos : public ::testing::TestWithParam<unsigned> {
  protected:
    bool busy() const {
        return !rig.observer.busyChanges.empty() && rig.observer.busyChanges.back();
    }
    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    }
    // The operator's next click: a moment or a few seconds later.
    void next() {
        const Millis at = rig.loop.now() + Millis{below(2) == 0 ? below(300) : below(8000)};
        if (at < end) rig.at(at, [this] { act(); });
    }

    void act() {
        checkFolder();
        const std::optional<Action> click = kClicks[clicks(random)].action;
        if (!click) {
            clickOption();
        } else if (*click == Action::Stop) {
            rig.session.stop();
        } else if (busy()) {
            // The window has the button disabled.
        } else if (*click != Action::JogPress) {
            rig.session.post({*click, *click == Action::Connect ? 1 : 0});
        } else {  // released a little later; the mouse is busy meanwhile
            const int button = 1 + static_cast<int>(below(4));
            jogs.push_back({rig.tap.sent.size(), button});
            rig.session.post({Action::JogPress, button});
            rig.at(rig.loop.now() + Millis{1 + below(400)}, [this] {
                rig.session.post({Action::JogRelease});
                next();
            });
            return;
        }
        next();
    }

    void clickOption() {
        std::vector<std::pair<Item, int>> offered;
        conditions::forEachGroup(rig.panel.state(), [&](Item item, const auto& choice) {
            for (const auto entry : choice.entries())
                if (choice.enabled(entry) && choice.shown(entry))
                    offered.emplace_back(item, conditions::codeOf(entry));
        });
        const auto [item, code] = offered[below(offered.size())];
        rig.panel.click(item, code);
    }

    // The folder holds the run published since the last look, or what it held then.
    void checkFolder() {
        const Folder now = snapshot(rig.folder.path());
        if (rig.observer.published.size() > runs) {
            runs = rig.observer.published.size();
            EXPECT_TRUE(holdsRun(now, rig.observer.published.back())) << "run " << runs;
        } else {
            EXPECT_EQ(now, folder) << "the folder changed without a published run";
        }
        folder = now;
    }

    SessionRig rig;
    std::mt19937 random{GetParam()};
    std::discrete_distribution<std::size_t> clicks = [] {
        std::vector<double> weights;
        for (const Click& click : kClicks) weights.push_back(click.weight);
        return std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
    }();
    Millis end{0};
    std::vector<Jog> jogs;
    std::size_t runs = 0;
    Folder folder;
};

TEST_P(Chaos, ExplainsEveryMessageKeepsTheDriveInOrderAndTheFolderWhole) {
    rig.connect();
    Texts allowed = kExplainedByTheOperator;
    std::string fault = "none";
    if (GetParam() % 3 == 0) {
        const Injected& injected = kInjected[random() % std::size(kInjected)];
        fault = injected.fault;
        rig.simulated.setFaults(faultFrom(fault));
        allowed.insert(allowed.end(), injected.explains.begin(), injected.explains.end());
    }
    SCOPED_TRACE("seed " + std::to_string(GetParam()) + ", fault " + fault);

    checkFolder();
    end = rig.loop.now() + kChaosTime;
    next();
    rig.loop.runUntil(end);
    if (busy()) rig.session.stop();  // the operator's last click
    rig.settle();
    checkFolder();

    for (const std::string& text : rig.observer.texts())
        EXPECT_TRUE(std::ranges::find(allowed, text) != allowed.end()) << "unexplained: " << text;
    EXPECT_FALSE(rig.observer.ended);
    EXPECT_FALSE(rig.session.ended());
    EXPECT_TRUE(rig.session.idle());
    // A lost line may keep a press's commands off the wire.
    if (std::ranges::find(allowed, kLineLost) == allowed.end()) {
        EXPECT_TRUE(jogsInOrder(rig.tap, jogs));
    }
    std::printf("seed %u: %zu runs, %zu jogs, %zu messages, fault %s\n", GetParam(), runs,
                jogs.size(), rig.observer.messages.size(), fault.c_str());
}

INSTANTIATE_TEST_SUITE_P(Seeds, Chaos, ::testing::Range(1u, 21u));

}  // namespace
}  // namespace kt520::testing
