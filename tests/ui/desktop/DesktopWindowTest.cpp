// The Qt window over its forms: it mirrors them, hands the operator's actions
// to their hooks, never waits on a message box or the card dialog, and shows a
// run's record. The last test runs the whole program on the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
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
#include <QtCharts/QValueAxis>

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
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
    }
};

template <typename T>
T* find(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

QMessageBox* openBox(QWidget& window) {
    for (QMessageBox* box : window.findChildren<QMessageBox*>())
        if (box->isVisible()) return box;
    return nullptr;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.attach(form_, card_);
        window_.show();
    }
    // The window refreshes on a later round of the event loop, not at once.
    bool shows(const std::function<bool()>& done) { return QTest::qWaitFor(done, 2000); }

    Application application_;
    MainForm form_;
    CardForm card_;
    MainWindow window_{"1.00", fontFamilyFor};
};

TEST_F(MainWindowTest, MirrorsTheFormOnTheNextRound) {
    form_.optSTD[2].selected = true;
    form_.frmLAN[2].caption = "Norm";
    form_.cmdSTART.enabled = false;
    form_.lstSTATUS.items = {"1.5", "2.5"};
    form_.progressBar1 = {{}, 0, 10, 4};
    form_.caption = "KT ";
    window_.formChanged();
    EXPECT_NE(find<QGroupBox>(window_, "frmLAN(2)")->title(), "Norm");
    ASSERT_TRUE(shows([&] { return find<QGroupBox>(window_, "frmLAN(2)")->title() == "Norm"; }));
    EXPECT_TRUE(find<QRadioButton>(window_, "optSTD(2)")->isChecked());
    EXPECT_FALSE(find<QRadioButton>(window_, "optSTD(1)")->isChecked());
    EXPECT_FALSE(find<QPushButton>(window_, "cmdSTART")->isEnabled());
    EXPECT_EQ(find<QListWidget>(window_, "lstSTATUS")->count(), 2);
    EXPECT_EQ(find<QProgressBar>(window_, "ProgressBar1")->value(), 4);
    EXPECT_EQ(window_.windowTitle(), "KT 1.00");
}

TEST_F(MainWindowTest, HandsClicksPressesAndEachEditToTheFormsHooks) {
    std::vector<std::string> calls;
    const auto record = [&](std::string call) { calls.push_back(std::move(call)); };
    form_.optSTD.onClick = [&](int index) { record("optSTD " + std::to_string(index)); };
    form_.cmdSTART.onClick = [&] { record("start"); };
    form_.cmdMOV[1].onMouseDown = [&] { record("press"); };
    form_.cmdMOV[1].onMouseUp = [&] { record("release"); };
    form_.chkKTM.onClick = [&] { record("tilt"); };
    form_.txtLENG.onType = [&](const std::string& text) { record("type " + text); };
    form_.cmbCOM.items = {"COM1", "COM2"};
    window_.refresh();

    auto* option = find<QRadioButton>(window_, "optSTD(3)");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QTest::mouseClick(find<QPushButton>(window_, "cmdSTART"), Qt::LeftButton);
    QTest::mousePress(find<QPushButton>(window_, "cmdMOV(1)"), Qt::LeftButton);
    QTest::mouseRelease(find<QPushButton>(window_, "cmdMOV(1)"), Qt::LeftButton);
    find<QCheckBox>(window_, "chkKTM")->click();
    QTest::keyClicks(find<QLineEdit>(window_, "txtLENG"), "12");
    find<QComboBox>(window_, "cmbCOM")->activated(1);
    EXPECT_EQ(calls, (std::vector<std::string>{"optSTD 3", "start", "press", "release", "tilt",
                                               "type 1", "type 12"}));
    EXPECT_EQ(form_.cmbCOM.text, "COM2");
    // The form did not select the entry the operator clicked: the window follows the form.
    EXPECT_TRUE(shows([&] { return !option->isChecked(); }));

    form_.optSTD[3].enabled = false;
    window_.refresh();
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    EXPECT_EQ(calls.size(), 7u);
}

TEST_F(MainWindowTest, MessageBoxesComeOneAtATimeAndNeverHoldTheCoreUp) {
    async::QtEventLoop loop;
    std::optional<int> ended;
    window_.onEnded = [&](int status) { ended = status; };
    window_.showMessage({"first", "KT-520", session::Icon::Stop});
    window_.showMessage({"second", "KT-520", session::Icon::Information});
    bool coreRan = false;
    loop.post([&] { coreRan = true; });
    ASSERT_TRUE(shows([&] { return coreRan; }));
    ASSERT_NE(openBox(window_), nullptr);
    EXPECT_EQ(openBox(window_)->text(), "first");
    EXPECT_EQ(openBox(window_)->icon(), QMessageBox::Critical);
    EXPECT_EQ(openBox(window_)->windowModality(), Qt::WindowModal);

    openBox(window_)->accept();
    ASSERT_NE(openBox(window_), nullptr);
    EXPECT_EQ(openBox(window_)->text(), "second");
    // The program ends on its own: the window waits until the message has been read.
    window_.programEnds(false);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(window_.isVisible());
    openBox(window_)->accept();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(window_.isVisible());
}

TEST_F(MainWindowTest, ResultsPanelShowsTheRunRecordInItsUnit) {
    struct Case {
        bool inch;
        std::string pitch;
        double lastX;
        QString axis;
    };
    for (const Case& c :
         {Case{false, "0.5", 0.001, "Position (mm)"}, Case{true, "25.4", 0.002, "Position (inch)"},
          Case{false, "", 2.0, "Point"}}) {
        measurement::RunRecord record;
        record.inch = c.inch;
        record.samplingPitchText = c.pitch;
        record.measured = {0.1, -0.2, 0.3};
        record.evaluation = {0.1, -0.2};
        record.results = {"1.5", "2.5"};
        record.files = {"/data/Measured.csv", "/data/Parameter.csv"};
        window_.runPublished(record);
        ResultsPanel& panel = *window_.results();
        auto* series = static_cast<QLineSeries*>(panel.measuredChart()->chart()->series().front());
        ASSERT_EQ(series->count(), 3);
        EXPECT_NEAR(series->at(2).x(), c.lastX, 1e-9) << c.pitch;
        EXPECT_EQ(series->at(2).y(), 0.3);
        EXPECT_EQ(panel.evaluationChart()->pointCount(), 2);
        EXPECT_EQ(panel.measuredChart()->chart()->axes(Qt::Horizontal).front()->titleText(),
                  c.axis);
        EXPECT_EQ(panel.resultsTable()->item(1, 1)->text(), "2.5");
        EXPECT_TRUE(panel.filesList()->item(1)->text().startsWith("Parameter.csv"));
        EXPECT_TRUE(find<QPushButton>(window_, "openFolderButton")->isEnabled());
    }
}

TEST_F(MainWindowTest, CardDialogIsWindowModalWhileTheFormShowsIt) {
    card_.cmdCANCEL.onClick = [&] {
        card_.shown = false;
        window_.formChanged();
    };
    card_.shown = true;
    window_.cardDialogOpened();
    auto* dialog = find<QDialog>(window_, "fomCARD");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(card_.shown);
    EXPECT_TRUE(shows([&] { return !dialog->isVisible(); }));
}

TEST(DesktopTest, RunsAMeasurementOnTheSimulatorWhileTheWindowStaysLive) {
    Application application;
    QTemporaryDir data;
    app::Options options;
    options.simulatedPort = 1;
    options.simulator.speedFactor = 200;
    options.dataFolder = data.path().toStdString();
    options.programFolder = KT520_BINARY_DIR "/bin";
    Desktop desktop(options);
    std::optional<int> ended;
    desktop.window().onEnded = [&](int status) { ended = status; };
    ASSERT_TRUE(desktop.start());
    desktop.window().show();
    // The search runs with the window already shown.
    EXPECT_FALSE(desktop.controller().idle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.controller().idle(); }, 10000));

    QTest::mouseClick(find<QPushButton>(desktop.window(), "cmdSTART"), Qt::LeftButton);
    EXPECT_TRUE(desktop.controller().session().runPending());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !desktop.controller().session().runPending(); }, 60000));
    QFile measured(QDir(data.path()).filePath("Measured.csv"));
    ASSERT_TRUE(measured.open(QIODevice::ReadOnly));
    EXPECT_EQ(desktop.window().results()->measuredChart()->pointCount(),
              measured.readAll().count('\n'));
    EXPECT_EQ(openBox(desktop.window()), nullptr);

    auto* exit = find<QPushButton>(desktop.window(), "cmdEND");
    ASSERT_TRUE(QTest::qWaitFor([&] { return exit->isEnabled(); }, 1000));
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_EQ(ended, 0);
}

}  // namespace
}  // namespace kt520::ui::desktop
