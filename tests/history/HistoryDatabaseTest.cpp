// The history's database operations, on SQLite and (when the test script has
// started one) on a PostgreSQL server: a run comes back as it went in, lists
// filter and order, deletion, tolerances and the export.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "HistoryRuns.h"
#include "history/HistoryDatabase.h"
#include "history/RunText.h"

namespace kt520::history {
namespace {

using test::madeUpRun;

class HistoryDatabaseTest : public ::testing::TestWithParam<Dialect> {
  protected:
    void SetUp() override {
        if (GetParam() == Dialect::SQLite) {
            target_ = sqliteTarget(dir_.filePath("history.sqlite"));
        } else {
            if (!test::postgresUrl())
                GTEST_SKIP() << "no PostgreSQL server (scripts/postgres-tests.sh)";
            std::string error;
            target_ = *serverTarget(test::postgresUrl(), error);
            ASSERT_TRUE(test::onServer(
                {"DROP TABLE IF EXISTS profiles, analysis, runs, tolerances, meta CASCADE"}));
        }
        database_.emplace(target_);
        ASSERT_EQ(database_->open(), HistoryDatabase::Opened::Ready) << database_->error();
    }

    QTemporaryDir dir_;
    Target target_;
    std::optional<HistoryDatabase> database_;
};

TEST_P(HistoryDatabaseTest, ARunComesBackAsItWasStoredAndOnlyOnce) {
    const StoredRun run = madeUpRun("P-1", 1.2, 30000);
    const auto id = database_->store(run);
    ASSERT_TRUE(id) << database_->error();
    EXPECT_EQ(database_->store(run), id);  // the same uid: stored once
    const auto back = database_->load(*id);
    ASSERT_TRUE(back) << database_->error();
    EXPECT_EQ(back->uid, run.uid);
    EXPECT_EQ(back->finishedAt, run.finishedAt);
    EXPECT_EQ(back->labels, run.labels);
    EXPECT_EQ(back->model, "KT520");
    EXPECT_EQ(back->firmware, "1.311");
    EXPECT_EQ(back->programVersion, run.programVersion);
    EXPECT_EQ(back->conditions.fields, run.conditions.fields);
    EXPECT_EQ(back->conditions.samplingPitchText, "0.50");
    EXPECT_EQ(back->listing, run.listing);
    EXPECT_EQ(back->results, run.results);
    EXPECT_EQ(back->measured, run.measured);  // bit for bit
    EXPECT_EQ(back->evaluation, run.evaluation);
    ASSERT_EQ(back->analysis.size(), 2u);
    EXPECT_EQ(back->analysis[0].standard, "ISO 4287:1997");
    EXPECT_EQ(back->verdict.overall, quality::Verdict::Ng);
    ASSERT_EQ(back->verdict.parameters.size(), 3u);  // Ra, Rsk, and the missing Rmr
    EXPECT_EQ(back->verdict.parameters[0].verdict, quality::Verdict::Ng);
    EXPECT_EQ(back->verdict.parameters[0].limit, run.verdict.parameters[0].limit);
    EXPECT_EQ(back->verdict.parameters[1].verdict, quality::Verdict::NotJudged);
    EXPECT_FALSE(back->verdict.parameters[2].value);
    EXPECT_EQ(back->verdict.parameters[2].limit->rule, quality::Rule::Max);
}

TEST_P(HistoryDatabaseTest, ListsNewestFirstThroughItsFiltersAndDeletes) {
    for (const auto& [part, ra, minute] :
         {std::tuple{"Shaft-A", 0.5, 1}, std::tuple{"shaft-b", 1.5, 2}, std::tuple{"Gear", 0.7, 3}})
        ASSERT_TRUE(database_->store(madeUpRun(part, ra, 100, minute, false)));
    const auto ids = [&](const RunFilter& filter) {
        std::vector<RunId> out;
        const auto runs = database_->list(filter);  // named: a range-for would not keep it alive
        for (const RunSummary& run : runs.value_or(std::vector<RunSummary>{}))
            out.push_back(run.id);
        return out;
    };
    EXPECT_EQ(ids({}), (std::vector<RunId>{3, 2, 1}));
    EXPECT_EQ(ids({.part = "SHAFT"}), (std::vector<RunId>{2, 1}));
    EXPECT_EQ(ids({.verdict = quality::Verdict::Ng}), (std::vector<RunId>{2}));
    const auto at = [](int minute) {
        return std::chrono::system_clock::time_point(std::chrono::minutes(29'000'000 + minute));
    };
    EXPECT_EQ(ids({.from = at(2), .to = at(3)}), (std::vector<RunId>{2}));
    EXPECT_EQ(ids({.ids = {1, 3}}), (std::vector<RunId>{3, 1}));

    EXPECT_EQ(database_->parameterNames({}).value(), (std::vector<std::string>{"Ra", "Rsk"}));
    const auto series = database_->series("Ra", {.part = "shaft"}).value();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].value, 0.5);  // oldest first
    EXPECT_EQ(series[1].value, 1.5);

    const std::string csv = database_->exportCsv({}).value();
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "id,finished_at,part,lot,operator,model,firmware,verdict,Ra [um],Rsk");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
    EXPECT_NE(csv.find("\r\n3," + timeText(at(3)).toStdString() +
                       ",Gear,lot-1,Kim,KT520,1.311,OK,0.7,-0.25\r\n"),
              std::string::npos);

    ASSERT_TRUE(database_->remove({1, 3}));
    EXPECT_EQ(ids({}), (std::vector<RunId>{2}));
    EXPECT_FALSE(database_->load(1));
}

TEST_P(HistoryDatabaseTest, KeepsOneToleranceAPartAndParameter) {
    const quality::Tolerance ra{"P", "Ra", {0.1, 0.8, quality::Rule::SixteenPercent}};
    const quality::Tolerance rz{"P", "Rz", {std::nullopt, 4.0, quality::Rule::Max}};
    ASSERT_TRUE(database_->setTolerance(ra));
    ASSERT_TRUE(database_->setTolerance(rz));
    ASSERT_TRUE(database_->setTolerance({"P", "Ra", {std::nullopt, 0.9, quality::Rule::Max}}));
    auto table = database_->tolerances().value();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].limit, (quality::Limit{std::nullopt, 0.9, quality::Rule::Max}));
    ASSERT_TRUE(database_->removeTolerance("P", "Ra"));
    EXPECT_EQ(database_->tolerances().value(), std::vector{rz});
}

INSTANTIATE_TEST_SUITE_P(Backends, HistoryDatabaseTest,
                         ::testing::Values(Dialect::SQLite, Dialect::PostgreSQL),
                         [](const auto& info) {
                             return info.param == Dialect::SQLite ? "SQLite" : "PostgreSQL";
                         });

}  // namespace
}  // namespace kt520::history
