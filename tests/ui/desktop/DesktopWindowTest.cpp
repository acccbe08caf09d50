// The Qt window over its forms: it mirrors them, hands the operator's actions
// to their hooks, never waits on a message box or the card dialog, and shows a
// run's record. The last test runs the whole program on the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QLineSeries>

#include "ui/desktop/Desktop.h"
#include "ui/desktop/ProfileChart.h"
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
        EXPECT_EQ(panel.resultsTable()->item(1, 1)->text(), "2.5");
        EXPECT_TRUE(panel.filesList()->item(1)->text().startsWith("Parameter.csv"));
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

TEST(DesktopTest, RunsAMeasurementOnTheSimulatorWhileTheWindowStaysLive) {
    Application application;
    QTemporaryDir data;
    const app::ParsedCommandLine parsed = app::parseCommandLine(
        {"kt520", "--simulate", "--sim-speed", "200", "--data-folder", data.path().toStdString(),
         "--program-folder", KT520_BINARY_DIR "/bin"});
    Desktop desktop(parsed.options);
    ASSERT_TRUE(desktop.start());
    desktop.window().show();
    EXPECT_FALSE(desktop.controller().idle());  // the search runs with the window shown
    ASSERT_TRUE(shows([&] { return desktop.controller().idle(); }));

    QTest::mouseClick(desktop.window().findChild<QPushButton*>("cmdSTART"), Qt::LeftButton);
    EXPECT_TRUE(desktop.controller().session().runPending());
    ASSERT_TRUE(shows([&] { return !desktop.controller().session().runPending(); }));
    EXPECT_TRUE(
        shows([&] { return desktop.window().results()->measuredChart()->pointCount() > 0; }));
    EXPECT_TRUE(QFile::exists(QDir(data.path()).filePath("Measured.csv")));
    EXPECT_EQ(openBox(), nullptr);
}

}  // namespace
}  // namespace kt520::ui::desktop
