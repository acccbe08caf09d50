// Choosing the language file from the command line and the user's own
// folder, and the command line's own texts, through the kt520 program.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kProgram = QStringLiteral(KT520_BINARY_DIR "/bin/kt520");

struct Finished {
    int exitCode = -1;
    QString output;
    QString errors;
};

class ProgramOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFile::exists(kProgram)) GTEST_SKIP() << "kt520 is not built";
    }

    // Runs kt520 with the user's configuration folder in a temporary folder.
    Finished run(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        process.setProcessEnvironment(environment);
        process.start(kProgram, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000)) << "kt520 did not end";
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    void setUserFile(bool japanese) {
        const QString folder = config_.filePath(QStringLiteral("kt520"));
        const QString file = folder + QStringLiteral("/520Language.ini");
        QFile::remove(file);
        if (!japanese) return;
        QDir().mkpath(folder);
        ASSERT_TRUE(QFile::copy(QStringLiteral(KT520_SOURCE_DIR "/data/520Language.ja.ini"), file));
    }

    QTemporaryDir config_;
    QTemporaryDir data_;
};

TEST_F(ProgramOptions, LanguageOptionThenTheUsersFileThenTheProgramFolder) {
    const QString bin = QStringLiteral(KT520_BINARY_DIR "/bin");
    const struct {
        const char* what;
        bool userFileJapanese;
        QStringList arguments;
        QString frameCaption;  // frmLAN(2), key "E:"
        QString code;
    } cases[] = {
        {"the program folder's file", false, {}, "Standard", "E"},
        {"the user's file", true, {}, "規格", "J"},
        {"--language ja", false, {"--language", "ja"}, "規格", "J"},
        {"--language en over the user's file", true, {"--language", "en"}, "Standard", "E"},
        {"--program-folder over the user's file", true, {"--program-folder", bin}, "Standard", "E"},
    };
    for (const auto& c : cases) {
        setUserFile(c.userFileJapanese);
        const Finished finished = run(
            QStringList{"--headless", "--simulate", "--data-folder", data_.path()} + c.arguments,
            "dump\n");
        ASSERT_EQ(finished.exitCode, 0) << c.what << ": " << finished.errors.toStdString();
        QJsonObject state;
        for (const QString& line : finished.output.split(QLatin1Char('\n'))) {
            const QJsonObject event = QJsonDocument::fromJson(line.toUtf8()).object();
            if (event[QStringLiteral("event")] == QStringLiteral("state")) state = event;
        }
        const QJsonObject frame =
            state[QStringLiteral("window")][QStringLiteral("frmLAN(2)")].toObject();
        EXPECT_EQ(frame[QStringLiteral("caption")].toString(), c.frameCaption) << c.what;
        EXPECT_EQ(state[QStringLiteral("state")][QStringLiteral("LanguageCode")].toString(), c.code)
            << c.what;
    }
}

TEST_F(ProgramOptions, HelpPortListAndBadLanguage) {
    const Finished help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.startsWith("Usage: kt520 [options]")) << help.output.toStdString();

    const Finished ports =
        run({"--list-ports", "--simulate=COM2", "--port", "COM5=/dev/kt520-none"});
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_EQ(ports.output, "COM2   built-in simulator\nCOM5   /dev/kt520-none\n");

    const Finished bad = run({"--language", "fr"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.errors.contains("--language: expected en or ja")) << bad.errors.toStdString();
}

}  // namespace
