// The kt520 program itself under --headless, against its built-in simulator,
// and its command line: the language file it chooses and its own texts.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kProgram = QStringLiteral(KT520_BINARY_DIR "/bin/kt520");

struct Outcome {
    int exitCode = -1;
    QString output;
    QString errors;
    std::vector<QJsonObject> events;

    std::vector<QJsonObject> named(const QString& event) const {
        std::vector<QJsonObject> out;
        for (const QJsonObject& e : events)
            if (e["event"].toString() == event) out.push_back(e);
        return out;
    }
};

class HeadlessProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFile::exists(kProgram)) GTEST_SKIP() << "kt520 is not built";
    }

    // Runs kt520 on the input, the user's configuration folder a temporary one.
    Outcome launch(const QStringList& arguments, const QString& input = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        process.setProcessEnvironment(environment);
        process.start(kProgram, arguments);
        process.write(input.toUtf8());
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000)) << "kt520 did not end";
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError()),
                {}};
    }

    // Runs the program headless on the script, its events read.
    Outcome run(const QString& script, const QStringList& arguments = {}) {
        Outcome outcome =
            launch(QStringList{"--headless", "--data-folder", dataFolder()} + arguments, script);
        for (const QString& line : outcome.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
            EXPECT_TRUE(document.isObject()) << line.toStdString();
            outcome.events.push_back(document.object());
        }
        return outcome;
    }

    void setUserFile(bool japanese) {
        const QString folder = config_.filePath(QStringLiteral("kt520"));
        const QString file = folder + QStringLiteral("/520Language.ini");
        QFile::remove(file);
        if (!japanese) return;
        QDir().mkpath(folder);
        ASSERT_TRUE(QFile::copy(QStringLiteral(KT520_SOURCE_DIR "/data/520Language.ja.ini"), file));
    }

    QString dataFolder() const { return data_.filePath(QStringLiteral("data")); }
    QString dataFile(const char* name) const { return dataFolder() + "/" + name; }

    QTemporaryDir data_;
    QTemporaryDir config_;
};

const QStringList kFastSimulator = {QStringLiteral("--simulate"), QStringLiteral("--sim-speed"),
                                    QStringLiteral("50")};

TEST_F(HeadlessProgram, ADumpAfterStartUpShowsTheSimulatorConnectedWithItsConditions) {
    const Outcome outcome = run("# after start-up\n\ndump\n", kFastSimulator);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    const auto states = outcome.named("state");
    ASSERT_EQ(states.size(), 1u);
    const QJsonObject state = states[0]["state"].toObject();
    EXPECT_EQ(state["linkState"].toString(), "OK");
    EXPECT_EQ(state["modelName"].toString(), "KT520");
    EXPECT_EQ(state["romVersion"].toInt(), 1311);
    EXPECT_EQ(state["modelKind"].toInt(), 3);
    EXPECT_EQ(state["driveRange"].toDouble(), 50.0);
    EXPECT_EQ(state["LanguageCode"].toString(), "E");
    EXPECT_EQ(state["announceConnect"].toString(), "0");

    const QJsonObject window = states[0]["window"].toObject();
    EXPECT_EQ(window["cmbCOM"].toObject()["text"].toString(), "COM1");
    EXPECT_EQ(window["lblCMT(3)"].toObject()["caption"].toString(), "KT-520 Ver1.311");
    EXPECT_EQ(window["optSTD(3)"].toObject()["caption"].toString(), "VDA");
    EXPECT_TRUE(window["optCUT(3)"].toObject()["selected"].toBool());
    EXPECT_FALSE(window["txtLENG"].toObject()["text"].toString().trimmed().isEmpty());
    EXPECT_EQ(window["cmdSTART"].toObject()["foreColor"].toDouble(), 2147483666.0);
    EXPECT_FALSE(window["ProgressBar1"].toObject()["visible"].toBool());
    EXPECT_TRUE(window.contains("fomMAIN"));
    const QJsonObject card = states[0]["card"].toObject();
    EXPECT_EQ(card["fomCARD"].toObject()["caption"].toString(), "Compact Flash Card");

    ASSERT_FALSE(outcome.events.empty());
    EXPECT_EQ(outcome.events.back()["event"].toString(), "end");
    EXPECT_EQ(QFile(dataFile("Folder.INI")).size(), 5);
}

TEST_F(HeadlessProgram, ALineThatCannotBeReadStopsTheScriptWithStatus2) {
    const Outcome outcome = run("dump\njump cmdSTART\ndump\n", kFastSimulator);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.errors.contains("line 2")) << outcome.errors.toStdString();
    EXPECT_EQ(outcome.named("state").size(), 1u);

    const Outcome unknown = run("click cmdNOTHING\n", kFastSimulator);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.contains("cmdNOTHING")) << unknown.errors.toStdString();
}

TEST_F(HeadlessProgram, ActionsOnHiddenOrDisabledControlsAreIgnored) {
    const Outcome outcome = run("click optSCT(2)\nclick fomCARD.cmdCANCEL\n",
                                {"--simulate", "--sim-speed", "50", "--sim-firmware", "1.101"});
    EXPECT_EQ(outcome.exitCode, 0);
    const auto ignored = outcome.named("ignored");
    ASSERT_EQ(ignored.size(), 2u);
    EXPECT_EQ(ignored[0]["action"].toString(), "click optSCT(2)");
    EXPECT_EQ(ignored[1]["action"].toString(), "click fomCARD.cmdCANCEL");
}

TEST_F(HeadlessProgram, TheMainJobWritesTheFourDataFiles) {
    QFile job(QStringLiteral(KT520_SOURCE_DIR "/examples/main-job.txt"));
    ASSERT_TRUE(job.open(QIODevice::ReadOnly));
    const Outcome outcome = run(QString::fromUtf8(job.readAll()), kFastSimulator);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.named("message").empty());

    const auto files = outcome.named("files");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0]["written"].toArray().size(), 5);
    for (const char* name :
         {"Measured.csv", "Evaluation.csv", "Parameter.csv", "Condition.csv", "Analysis.csv"})
        EXPECT_GT(QFile(dataFile(name)).size(), 0) << name;
    // The analysis event names each parameter with its unit and standard, as Analysis.csv does.
    const auto analysis = outcome.named("analysis");
    ASSERT_EQ(analysis.size(), 1u);
    const QJsonObject ra = analysis[0]["parameters"].toArray().first().toObject();
    EXPECT_EQ(ra["name"].toString(), "Ra");
    EXPECT_EQ(ra["unit"].toString(), "um");
    QFile table(dataFile("Analysis.csv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    EXPECT_TRUE(table.readAll().contains(
        ("\r\nRa," + QByteArray::number(ra["value"].toDouble(), 'g', 17)).left(12)));
    const auto results = outcome.named("results");
    ASSERT_EQ(results.size(), 1u);
    const QJsonArray items = results[0]["items"].toArray();
    ASSERT_FALSE(items.isEmpty());
    // The parameters listed are those written into Parameter.csv.
    QFile parameters(dataFile("Parameter.csv"));
    ASSERT_TRUE(parameters.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(parameters.readAll()).contains(items[0].toString()));
}

TEST_F(HeadlessProgram, EveryRunIsJudgedStoredAndReportedWhileTheFilesHoldTheLast) {
    const QString report = data_.filePath("run.pdf"), exported = data_.filePath("all.csv");
    const Outcome outcome =
        run("tolerance Shaft Ra - 0.001\npart Shaft\nlot L-7\noperator Kim\n"
            "click cmdSTART\ntolerance Shaft Ra - 1000 max\nclick cmdSTART\n"
            "report " +
                report + "\nexport " + exported + "\n",
            kFastSimulator);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    const auto verdicts = outcome.named("verdict"), stored = outcome.named("stored");
    ASSERT_EQ(verdicts.size(), 2u);
    ASSERT_EQ(stored.size(), 2u);
    std::vector<double> ra;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(verdicts[i]["overall"].toString(), i == 0 ? "NG" : "OK");
        EXPECT_EQ(verdicts[i]["part"].toString(), "Shaft");
        const QJsonObject first = verdicts[i]["parameters"].toArray().first().toObject();
        EXPECT_EQ(first["name"].toString(), "Ra");
        EXPECT_EQ(first["verdict"].toString(), i == 0 ? "NG" : "OK");
        ra.push_back(first["value"].toDouble());
        EXPECT_EQ(stored[i]["id"].toInt(), i + 1);
        EXPECT_EQ(stored[i]["state"].toString(), "stored");
    }
    // Both runs are rows of the database, as the sqlite3 tool reads it.
    QProcess sqlite;
    sqlite.start("sqlite3", {dataFile("history.sqlite"),
                             "SELECT id, part, lot, operator, verdict FROM runs ORDER BY id"});
    ASSERT_TRUE(sqlite.waitForFinished()) << "the sqlite3 tool is part of the build's set-up";
    EXPECT_EQ(sqlite.readAllStandardOutput(), "1|Shaft|L-7|Kim|NG\n2|Shaft|L-7|Kim|OK\n");
    QFile analysis(dataFile("Analysis.csv"));  // the latest run
    ASSERT_TRUE(analysis.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        analysis.readAll().contains("\r\nRa," + QByteArray::number(ra[1], 'g', 17).left(8)));
    EXPECT_EQ(outcome.named("report").size(), 1u);
    QProcess pdfText;  // the report's text is real text, with the verdict of the last run
    pdfText.start("pdftotext", {report, "-"});
    ASSERT_TRUE(pdfText.waitForFinished());
    EXPECT_TRUE(pdfText.readAllStandardOutput().contains("Verdict: OK"));
    QFile csv(exported);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 3);  // a header, then one line per run
}

TEST_F(HeadlessProgram, AHistoryThatCannotBeWrittenIsToldAndTheFilesAreWrittenAllTheSame) {
    ASSERT_TRUE(QDir().mkpath(dataFile("history.sqlite")));  // a folder where the file should be
    const Outcome outcome = run("click cmdSTART\n", kFastSimulator);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    ASSERT_EQ(outcome.named("message").size(), 2u);  // once at start, once for the run
    EXPECT_TRUE(outcome.named("message")[0]["text"].toString().contains("history.sqlite"));
    ASSERT_EQ(outcome.named("stored").size(), 1u);
    EXPECT_EQ(outcome.named("stored")[0]["state"].toString(), "failed");
    ASSERT_EQ(outcome.named("files").size(), 1u);
    EXPECT_GT(QFile(dataFile("Measured.csv")).size(), 0);
}

TEST_F(HeadlessProgram, AnActionAfterADelayArrivesWhileAnotherRuns) {
    const Outcome outcome = run("after 1500 click cmdSTOP\nafter 1600 dump\nclick cmdSTART\ndump\n",
                                {"--simulate", "--sim-speed", "2"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    const auto states = outcome.named("state");
    ASSERT_EQ(states.size(), 2u);
    // The delayed dump came in the middle of the run: only Stop usable.
    const QJsonObject during = states[0]["window"].toObject();
    EXPECT_FALSE(during["cmdSTART"].toObject()["enabled"].toBool());
    EXPECT_TRUE(during["cmdSTOP"].toObject()["enabled"].toBool());
    EXPECT_EQ(states[1]["state"].toObject()["runMode"].toString(), "WRSTP");
    // Stopped without a false line message, and with nothing to save.
    EXPECT_TRUE(outcome.named("message").empty());
    EXPECT_EQ(outcome.named("status").back()["text"].toString(), "NON DATA");
    EXPECT_TRUE(outcome.named("files").empty());
    EXPECT_FALSE(QFile::exists(dataFile("Measured.csv")));
}

TEST_F(HeadlessProgram, CardReadsWhatTheSimulatorSavedToItsCard) {
    QTemporaryDir card;
    const QString saved = card.filePath(QStringLiteral("KT000001.SMB"));
    const Outcome outcome =
        run("click cmdSTART\ncard " + saved + "\ncard " + card.filePath("KT000002.SMB") + "\n",
            {"--simulate", "--sim-speed", "50", "--sim-card", card.path()});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    const auto files = outcome.named("files");
    ASSERT_EQ(files.size(), 2u);  // the run's, then the card's
    EXPECT_EQ(files[1]["written"], files[0]["written"]);
    EXPECT_EQ(outcome.named("analysis").size(), 2u);
    const auto messages = outcome.named("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["text"].toString(), "The card file KT000002.SMB is missing.");
}

TEST_F(HeadlessProgram, WithoutTheLanguageFileTheProgramEndsAtOnce) {
    QTemporaryDir emptyFolder;
    const Outcome outcome = run("dump\n", {"--simulate", "--program-folder", emptyFolder.path()});
    EXPECT_EQ(outcome.exitCode, 1);
    ASSERT_EQ(outcome.events.size(), 2u);
    EXPECT_EQ(outcome.events[0]["text"].toString(), "There is not a languagefile");
    EXPECT_EQ(outcome.events[0]["title"].toString(), "Warning");
    EXPECT_EQ(outcome.events[0]["icon"].toString(), "stop");
    EXPECT_EQ(outcome.events[1]["event"].toString(), "end");
}

TEST_F(HeadlessProgram, LanguageOptionThenTheUsersFileThenTheProgramFolder) {
    const QString bin = QStringLiteral(KT520_BINARY_DIR "/bin");
    const struct {
        const char* what;
        bool userFileJapanese;
        QStringList arguments;
        QString frameCaption;  // frmLAN(2), key "E:"
        QString code;
    } cases[] = {
        {"the user's file", true, {}, "規格", "J"},
        {"--language ja", false, {"--language", "ja"}, "規格", "J"},
        {"--program-folder over the user's file", true, {"--program-folder", bin}, "Standard", "E"},
    };
    for (const auto& c : cases) {
        setUserFile(c.userFileJapanese);
        const Outcome outcome = run("dump\n", QStringList{"--simulate"} + c.arguments);
        ASSERT_EQ(outcome.exitCode, 0) << c.what << ": " << outcome.errors.toStdString();
        const auto states = outcome.named("state");
        ASSERT_EQ(states.size(), 1u) << c.what;
        const QJsonObject frame = states[0]["window"].toObject()["frmLAN(2)"].toObject();
        EXPECT_EQ(frame["caption"].toString(), c.frameCaption) << c.what;
        EXPECT_EQ(states[0]["state"].toObject()["LanguageCode"].toString(), c.code) << c.what;
    }
}

TEST_F(HeadlessProgram, HelpPortListAndBadLanguage) {
    const Outcome help = launch({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.startsWith("Usage: kt520 [options]")) << help.output.toStdString();

    const Outcome ports =
        launch({"--list-ports", "--simulate=COM2", "--port", "COM5=/dev/kt520-none"});
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_EQ(ports.output, "COM2   built-in simulator\nCOM5   /dev/kt520-none\n");

    const Outcome bad = launch({"--language", "fr"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.errors.contains("--language: expected en or ja")) << bad.errors.toStdString();
}

}  // namespace
