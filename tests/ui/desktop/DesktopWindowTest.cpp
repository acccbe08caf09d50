// The Qt window over its forms: it mirrors them, hands the operator's actions
// to their hooks, never waits on a message box or the card dialog, and shows a
// run's record. The last test runs the whole program on the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QLineSeries>

#include "ui/desktop/Desktop.h"
#include "ui/desktop/ProfileChart.h"
#include "ui/desktop/ResultRows.h"
#include "ui/desktop/ResultsPanel.h"

namespace kt520::ui::desktop {
namespace {

// One application for all tests, made before the first widget.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        static auto* app = new QApplication(argc, argv);
        (void)app;
        // The operator's settings (the names of the instrument's fields) of
        // the test user, emptied for each test.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QSettings::UserScope, "kt520", "kt520").clear();
    }
};

QMessageBox* openBox() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

// The window refreshes on a later round of the event loop, not at once.
bool shows(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 5000);
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.attach(form_, card_);
        window_.show();
    }
    template <typename T>
    T* widget(const char* name) {
        T* found = window_.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    Application application_;
    MainForm form_;
    CardForm card_;
    MainWindow window_{"1.00", fontFamilyFor};
};

TEST_F(MainWindowTest, MirrorsTheFormOnTheNextRound) {
    form_.optSTD[2].selected = true;
    form_.frmLAN[2].caption = "Norm";
    form_.cmdSTART.enabled = false;
    form_.progressBar1 = {{}, 0, 10, 4};
    window_.formChanged();
    EXPECT_NE(widget<QGroupBox>("frmLAN(2)")->title(), "Norm");
    ASSERT_TRUE(shows([&] { return widget<QGroupBox>("frmLAN(2)")->title() == "Norm"; }));
    EXPECT_TRUE(widget<QRadioButton>("optSTD(2)")->isChecked());
    EXPECT_FALSE(widget<QRadioButton>("optSTD(1)")->isChecked());
    EXPECT_FALSE(widget<QPushButton>("cmdSTART")->isEnabled());
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 4);
}

TEST_F(MainWindowTest, HandsClicksPressesAndEachEditToTheFormsHooks) {
    std::vector<std::string> calls;
    form_.optSTD.onClick = [&](int index) { calls.push_back("optSTD " + std::to_string(index)); };
    form_.cmdSTART.onClick = [&] { calls.push_back("start"); };
    form_.cmdMOV[1].onMouseDown = [&] { calls.push_back("press"); };
    form_.cmdMOV[1].onMouseUp = [&] { calls.push_back("release"); };
    form_.txtLENG.onType = [&](const std::string& text) { calls.push_back("type " + text); };
    window_.refresh();

    auto* option = widget<QRadioButton>("optSTD(3)");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QTest::mouseClick(widget<QPushButton>("cmdSTART"), Qt::LeftButton);
    QTest::mousePress(widget<QPushButton>("cmdMOV(1)"), Qt::LeftButton);
    QTest::mouseRelease(widget<QPushButton>("cmdMOV(1)"), Qt::LeftButton);
    QTest::keyClicks(widget<QLineEdit>("txtLENG"), "12");
    EXPECT_EQ(calls, (std::vector<std::string>{"optSTD 3", "start", "press", "release", "type 1",
                                               "type 12"}));
    // The form did not select the entry the operator clicked: the window follows the form.
    EXPECT_TRUE(shows([&] { return !option->isChecked(); }));
}

TEST_F(MainWindowTest, MessageBoxesComeOneAtATimeAndNeverHoldTheCoreUp) {
    std::optional<int> ended;
    window_.onEnded = [&](int status) { ended = status; };
    window_.showMessage({"first", "KT-520", session::Icon::Stop});
    window_.showMessage({"second", "KT-520", session::Icon::Information});
    async::QtEventLoop loop;
    bool coreRan = false;
    loop.post([&] { coreRan = true; });
    ASSERT_TRUE(shows([&] { return coreRan; }));
    ASSERT_NE(openBox(), nullptr);
    EXPECT_EQ(openBox()->text(), "first");
    EXPECT_EQ(openBox()->icon(), QMessageBox::Critical);
    EXPECT_EQ(openBox()->windowModality(), Qt::WindowModal);
    openBox()->accept();
    EXPECT_EQ(openBox()->text(), "second");
    // The program ends on its own: the window waits until the message has been read.
    window_.programEnds(false);
    EXPECT_TRUE(window_.isVisible());
    openBox()->accept();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(window_.isVisible());
}

TEST_F(MainWindowTest, ResultsPanelShowsTheRunRecordInItsUnit) {
    for (const bool inch : {false, true}) {
        measurement::RunRecord record;
        record.inch = inch;
        record.samplingPitchText = inch ? "25.4" : "0.5";  // micrometres: .001 inch, .0005 mm
        record.measured = {0.1, -0.2, 0.3};
        record.evaluation = {0.1, -0.2};
        record.results = {"1.5", "2.5"};
        record.analysis = {{"Ra", 1.5, inch ? "uinch" : "um", "ISO 4287:1997"}};
        record.files = {"/data/Measured.csv", "/data/Parameter.csv"};
        record.outcome = measurement::RunRecord::Outcome::Written;
        window_.runEnded(record);
        ResultsPanel& panel = *window_.results();
        QAbstractAxis* axis = panel.measuredChart()->chart()->axes(Qt::Horizontal).front();
        const QString title = inch ? "Position (inch)" : "Position (mm)";
        ASSERT_TRUE(shows([&] {
            return axis->titleText() == title && panel.evaluationChart()->pointCount() == 2;
        }));
        auto* series = static_cast<QLineSeries*>(panel.measuredChart()->chart()->series().front());
        ASSERT_EQ(series->count(), 3);
        EXPECT_NEAR(series->at(2).x(), inch ? 0.002 : 0.001, 1e-9);
        const QTableWidget& table = *panel.resultsTable();
        EXPECT_EQ(table.item(1, 0)->text(), "instrument field 2");
        EXPECT_EQ(table.item(1, 2)->text(), "2.5");
        EXPECT_EQ(table.item(2, 0)->text(), "Ra");
        EXPECT_EQ(table.item(2, 3)->text(), inch ? "uinch" : "um");
        const quality::Limit ra{std::nullopt, inch ? 2.0 : 1.0, quality::Rule::Max};  // NG in mm
        window_.runJudged({{}, quality::judge(record.analysis, {{"", "Ra", ra}}), {}});
        EXPECT_EQ(table.item(2, 1)->foreground().color(),
                  inch ? QColor("#1b7f3b") : QColor("#c62828"));
        EXPECT_EQ(panel.filesList()->item(1)->text(), "Parameter.csv");
    }
}

// Each part of the results panel says which run it shows, and says so when a
// later run (CSV Data Save OFF, a Result Read with "No data", a stopped run)
// did not replace it; a run refused before it began changes nothing.
TEST_F(MainWindowTest, ResultsPanelSaysWhichRunEachPartShows) {
    using Outcome = measurement::RunRecord::Outcome;
    using Source = measurement::RunRecord::Source;
    struct Step {
        Source source;
        Outcome outcome;
        bool refused;
        int tableRows;
        const char* profilesNote;  // the part's note starts with this; "" hidden
        const char* resultsNote;
    };
    const Step steps[] = {
        {Source::Measurement, Outcome::Written, false, 1, "", ""},
        {Source::Measurement, Outcome::NotStarted, false, 1, "", ""},
        {Source::Measurement, Outcome::ResultsOnly, false, 1, "Not from the latest run (run ", ""},
        {Source::ResultRead, Outcome::ResultsOnly, true, 0, "Not from the latest run (Result Read ",
         "The instrument sent no results"},
        {Source::Read, Outcome::NoData, false, 0, "Not from the latest run (Read ",
         "Not from the latest run (Read "},
        {Source::Read, Outcome::Written, false, 1, "", ""},
    };
    ResultsPanel& panel = *window_.results();
    auto clock = std::chrono::system_clock::now();
    for (const Step& step : steps) {
        SCOPED_TRACE(static_cast<int>(&step - steps));
        measurement::RunRecord record;
        record.source = step.source;
        record.outcome = step.outcome;
        record.finishedAt = clock += std::chrono::seconds(61);
        record.resultsRefused = step.refused;
        if (!step.refused) record.results = {"0.5"};
        panel.show(record);
        const QString time =
            QDateTime::fromSecsSinceEpoch(std::chrono::system_clock::to_time_t(record.finishedAt))
                .toString("HH:mm:ss");
        EXPECT_EQ(panel.resultsTable()->rowCount(), step.tableRows);
        for (const auto& [part, note] :
             {std::pair{"profiles", step.profilesNote}, std::pair{"results", step.resultsNote}}) {
            auto* label = panel.findChild<QLabel*>(QString(part) + "Note");
            EXPECT_EQ(label->isHidden(), *note == 0) << part;
            EXPECT_EQ(label->text().left(int(strlen(note))), note) << part;
            const bool latest =
                !QString(note).startsWith("Not from") && step.outcome != Outcome::NotStarted;
            EXPECT_EQ(panel.findChild<QLabel*>(QString(part) + "Header")->text().contains(time),
                      latest)
                << part;
        }
    }
}

// Without a file manager the folder's path comes in a message whose text can be copied.
TEST_F(MainWindowTest, OpenDataFolderWithoutAFileManagerShowsThePath) {
    ResultsPanel& panel = *window_.results();
    QUrl asked;
    panel.openFolder = [&](const QUrl& url) { return (asked = url).isEmpty(); };
    measurement::RunRecord record;
    record.outcome = measurement::RunRecord::Outcome::Written;
    record.files = {"/data/kt/Measured.csv"};
    window_.runEnded(record);
    auto* button = widget<QPushButton>("openFolderButton");
    ASSERT_TRUE(shows([&] { return button->isEnabled(); }));
    button->click();
    EXPECT_EQ(asked, QUrl::fromLocalFile("/data/kt"));
    ASSERT_NE(openBox(), nullptr);
    EXPECT_TRUE(openBox()->text().endsWith("\n/data/kt"));
    EXPECT_TRUE(openBox()->textInteractionFlags() & Qt::TextSelectableByMouse);
    openBox()->accept();
}

// A named field stands beside its parameter and is flagged beyond the
// tolerance; the parameters no field names follow the fields.
TEST(ResultRowsTest, PairsNamedFieldsWithTheirParametersAndFlagsDisagreement) {
    struct Case {
        const char* profile;  // the letter of the computed parameters
        const char* name;     // the operator's name of field 1
        const char* field;    // as the instrument sent it
        double computed;      // the parameter "?a" on the PC
        bool paired;
        std::optional<double> flagged;
    };
    const Case cases[] = {
        {"R", "", "1.000", 1.0, false, {}},
        {"R", "Ra", "1.010", 1.0, true, {}},  // 0.0005 + 1 % of 1.0
        {"R", "Ra", "1.011", 1.0, true, 0.011},
        {"R", "Ra", "-0.200", -0.2019, true, {}},
        {"R", "Ra", "", 5.0, true, {}},        // an empty field is no value
        {"W", "Ra", "9.000", 1.0, true, 8.0},  // W profile: "Ra" finds "Wa"
        {"R", "Rq", "1.000", 1.0, false, {}},  // names nothing computed here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::string a = std::string(c.profile) + "a";
        const std::vector<analysis::Parameter> parameters = {{a, c.computed, "um", "ISO"},
                                                             {"Rt", 3.0, "um", "ISO"}};
        const std::vector<ResultRow> rows = resultRows(parameters, {c.field, "7"}, {c.name});
        ASSERT_EQ(rows.size(), c.paired ? 3u : 4u);  // field 1, field 2, the rest
        EXPECT_EQ(rows[0].computed.has_value(), c.paired);
        EXPECT_EQ(rows[0].flaggedDifference.has_value(), c.flagged.has_value());
        EXPECT_NEAR(rows[0].flaggedDifference.value_or(0), c.flagged.value_or(0), 1e-9);
        EXPECT_EQ(rows[2].name, c.paired ? "Rt" : a);
    }
}

TEST(ProfileChartTest, DrawsTheLowestAndHighestPointOfEachColumn) {
    std::vector<QPointF> points;
    for (int i = 0; i < 30000; ++i) points.emplace_back(i, i == 12345 ? 50 : i % 7 - 3);
    const std::vector<QPointF> drawn = envelope(points, 0, 29999, 100);
    EXPECT_LE(drawn.size(), 2 * 100u + 1);  // and the last point, at the end of the range
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), QPointF(12345, 50)), drawn.end());
    // Zoomed in, every point is drawn, and one beyond each edge.
    const std::vector<QPointF> near = envelope(points, 100, 110, 100);
    ASSERT_EQ(near.size(), 13u);
    EXPECT_EQ(near.front().x(), 99);
}

TEST_F(MainWindowTest, CardDialogIsWindowModalWhileTheFormShowsIt) {
    card_.cmdCANCEL.onClick = [&] {
        card_.shown = false;
        window_.formChanged();
    };
    card_.shown = true;
    window_.cardDialogOpened();
    auto* dialog = widget<QDialog>("fomCARD");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(shows([&] { return !dialog->isVisible(); }));
}

// The program on the simulator, its language file from `programFolder`,
// after the search for the instrument.
struct SimulatedDesktop {
    explicit SimulatedDesktop(const std::string& programFolder)
        : desktop(
              app::parseCommandLine({"kt520", "--simulate", "--sim-speed", "200", "--data-folder",
                                     data.path().toStdString(), "--program-folder", programFolder})
                  .options) {}
    bool started() {
        if (!desktop.start()) return false;
        desktop.window().show();
        EXPECT_FALSE(desktop.controller().idle());  // the search runs with the window shown
        return shows([&] { return desktop.controller().idle(); });
    }
    template <typename T>
    T* widget(const char* name) {
        return desktop.window().findChild<T*>(name);
    }
    Application application;
    QTemporaryDir data;
    Desktop desktop;
};

// A 1024x768 screen less a title bar and borders, in English and Japanese:
// every caption at its full width; switching the unit moves no frame.
TEST(DesktopTest, FitsA1024x768ScreenAndKeepsItsLayoutWhenTheUnitSwitches) {
    for (const char* folder : {KT520_BINARY_DIR "/bin", KT520_BINARY_DIR "/bin/lang/ja"}) {
        SCOPED_TRACE(folder);
        SimulatedDesktop rig(folder);
        ASSERT_TRUE(rig.started());
        MainWindow& window = rig.desktop.window();
        EXPECT_LE(window.minimumSizeHint().width(), 1008);
        EXPECT_LE(window.minimumSizeHint().height(), 728);
        window.resize(1008, 728);
        QTest::qWait(50);
        for (QWidget* shown : window.findChildren<QWidget*>()) {
            if (!shown->isVisible() ||
                !(qobject_cast<QAbstractButton*>(shown) || qobject_cast<QLabel*>(shown)))
                continue;
            EXPECT_GE(shown->width(), shown->minimumSizeHint().width())
                << shown->objectName().toStdString();
        }
        // The motif boxes show their ranges (their tool tips) until a length is entered.
        for (QLineEdit* box : window.findChildren<QLineEdit*>(QRegularExpression("^txtALEN")))
            EXPECT_GT(box->width(), box->fontMetrics().horizontalAdvance(box->toolTip()) + 6)
                << box->objectName().toStdString();
        const auto frames = [&] {
            std::vector<QRect> shown;
            for (QGroupBox* box : window.findChildren<QGroupBox*>())
                shown.push_back(box->geometry());
            return shown;
        };
        QRadioButton* inch = rig.widget<QRadioButton>("optUNT(2)");
        if (!inch->isEnabled()) continue;  // in Japanese the panel offers millimetres only
        const std::vector<QRect> before = frames();
        inch->click();
        ASSERT_TRUE(shows([&] { return rig.widget<QLabel>("lblUnit(3)")->text() == "inch"; }));
        QTest::qWait(50);
        EXPECT_EQ(frames(), before);
        EXPECT_EQ(window.size(), QSize(1008, 728));
    }
}

// With the operator's names in the simulator's documented order, its run
// shows each field beside its parameter and flags none.
TEST(DesktopTest, RunsAMeasurementOnTheSimulatorWhileTheWindowStaysLive) {
    SimulatedDesktop rig(KT520_BINARY_DIR "/bin");
    ResultsPanel& results = *rig.desktop.window().results();
    results.setFieldNames({"Ra", "Rz1max", "Rz", "Rq", "Rt", "Rp", "Rv", "Rsk", "Rku"});
    Desktop& desktop = rig.desktop;
    ASSERT_TRUE(rig.started());

    QTest::mouseClick(rig.widget<QPushButton>("cmdSTART"), Qt::LeftButton);
    EXPECT_TRUE(desktop.controller().session().runPending());
    // About 4.5 s on an idle machine; the machine is shared.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !desktop.controller().session().runPending(); }, 30000));
    EXPECT_TRUE(shows([&] { return results.measuredChart()->pointCount() > 0; }));
    EXPECT_TRUE(QFile::exists(QDir(rig.data.path()).filePath("Measured.csv")));
    EXPECT_EQ(openBox(), nullptr);
    const QTableWidget& table = *results.resultsTable();
    ASSERT_GT(table.rowCount(), 9);
    for (int row = 0; row < 9; ++row) {
        EXPECT_FALSE(table.item(row, 1)->text().isEmpty()) << row;
        EXPECT_TRUE(table.item(row, 0)->toolTip().isEmpty())
            << table.item(row, 0)->text().toStdString();
    }
}

}  // namespace
}  // namespace kt520::ui::desktop
