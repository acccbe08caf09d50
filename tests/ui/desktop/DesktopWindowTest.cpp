// The desktop window driven as an operator drives it: real mouse clicks on the
// widgets, against the built-in simulator, checking what the widgets show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
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
#include <QTimer>
#include <functional>
#include <memory>

#include "lang/LanguageFonts.h"
#include "ui/desktop/Desktop.h"
#include "ui/desktop/ProfileChart.h"
#include "ui/desktop/ResultsPanel.h"

namespace kt520::ui::desktop {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "test_desktop";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        QApplication::setStyle("Fusion");
        return created;
    }();
    return *app;
}

int lineCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(file.readAll().count('\n'));
}

class DesktopWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        application();
        ASSERT_TRUE(dataDir_.isValid());
        // Acknowledges every message box as an operator would, remembering its text.
        boxes_.setInterval(10);
        QObject::connect(&boxes_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shownBoxes_.push_back(box->windowTitle() + ": " + box->text());
                box->accept();
            }
        });
        boxes_.start();
    }

    void open(const QString& programFolder = KT520_BINARY_DIR "/bin") {
        app::Options options;
        options.simulatedPort = 1;
        options.simulator.speedFactor = 200;
        options.dataFolder = dataDir_.path().toStdString();
        options.programFolder = programFolder.toStdString();
        session_ = std::make_unique<DesktopSession>(options);
        ASSERT_TRUE(session_->start());
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    DesktopWindow& window() { return session_->window(); }

    template <typename T>
    T* find(const QString& name) {
        T* widget = window().findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QRadioButton* option(const char* array, int index) {
        return find<QRadioButton>(QString("%1(%2)").arg(array).arg(index));
    }
    void click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    // On the round indicator: a short caption leaves the middle of the cell empty.
    void click(QRadioButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    QString file(const char* name) const { return QDir(dataDir_.path()).filePath(name); }

    QTemporaryDir dataDir_;
    QTimer boxes_;
    QStringList shownBoxes_;
    std::unique_ptr<DesktopSession> session_;
};

QColor textColour(QWidget* widget) {
    return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

TEST_F(DesktopWindowTest, StartsConnectedToTheSimulatorWithTheCaptionsOfTheLanguageFile) {
    open();
    EXPECT_EQ(window().windowTitle(), "ProfiLux KT-520 SerialCommunication Ver" + versionText());
    EXPECT_EQ(find<QComboBox>("cmbCOM")->currentText(), "COM1");
    EXPECT_EQ(find<QGroupBox>("frmLAN(2)")->title(), "Standard");
    EXPECT_EQ(find<QCheckBox>("chkKTM")->text(), "Tilt Comp.");
    for (const char* name : {"cmdSTART", "cmdSTOP", "cmdREAD", "cmdRESULT", "cmdCOND", "cmdEND"})
        EXPECT_TRUE(find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_TRUE(find<QLineEdit>("txtALEN(1)")->toolTip().startsWith("0.3-0.64mm"));
    EXPECT_TRUE(shownBoxes_.isEmpty()) << shownBoxes_.join("\n").toStdString();
}

TEST_F(DesktopWindowTest, ChosenEntriesAreRedOnDarkBlueAndFollowTheOperatorsClicks) {
    open();
    const QColor red(255, 0, 0);
    const QColor others = window().palette().color(QPalette::HighlightedText);
    click(option("optSTD", 2));
    EXPECT_TRUE(option("optSTD", 2)->isChecked());
    EXPECT_EQ(textColour(option("optSTD", 2)), red);
    for (int i : {1, 3, 4, 5, 6}) {
        EXPECT_FALSE(option("optSTD", i)->isChecked()) << i;
        EXPECT_EQ(textColour(option("optSTD", i)), others) << i;
    }
    EXPECT_EQ(find<QWidget>("optSTD")->palette().color(QPalette::Window), QColor(0, 0, 192));
    // The keyboard reaches the model as the mouse does.
    option("optSTD", 3)->setFocus();
    QTest::keyClick(option("optSTD", 3), Qt::Key_Space);
    EXPECT_TRUE(option("optSTD", 3)->isChecked());
    EXPECT_EQ(textColour(option("optSTD", 3)), red);
    EXPECT_FALSE(option("optSTD", 2)->isChecked());

    // Profile "P": the filter group is withdrawn, pre/post travel forced off.
    click(option("optCUV", 1));
    EXPECT_FALSE(find<QGroupBox>("frmLAN(4)")->isEnabled());
    EXPECT_FALSE(option("optTRA", 1)->isEnabled());
    EXPECT_TRUE(option("optTRA", 0)->isChecked());
    EXPECT_EQ(find<QGroupBox>("frmLAN(6)")->title(), "Cut-Off");
    // Profile "W": the cut-off frame becomes fh; hidden entries stay hidden.
    click(option("optCUV", 3));
    EXPECT_EQ(find<QGroupBox>("frmLAN(6)")->title(), "fh");
    EXPECT_FALSE(option("optSCT", 2)->isVisible());
    EXPECT_FALSE(option("optSPD", 5)->isVisible());

    // A click on a disabled entry changes nothing.
    click(option("optCUV", 2));
    click(option("optCUT", 1));
    EXPECT_FALSE(option("optSPD", 4)->isEnabled());
    click(option("optSPD", 4));
    EXPECT_FALSE(option("optSPD", 4)->isChecked());
}

TEST_F(DesktopWindowTest, UnitSwitchRewritesTheCaptionsOnTheWidgets) {
    open();
    click(option("optUNT", 2));
    EXPECT_EQ(find<QLabel>("lblUnit(1)")->text(), "inch");
    EXPECT_EQ(find<QLabel>("lblUnit(2)")->text(), "uinch");
    EXPECT_EQ(option("optCUT", 1)->text(), "0.003");
    EXPECT_EQ(option("optRNG", 5)->text(), "32000");
    click(option("optUNT", 1));
    EXPECT_EQ(find<QLabel>("lblUnit(2)")->text(), "um");
    EXPECT_EQ(option("optCUT", 1)->text(), "0.08");
}

TEST_F(DesktopWindowTest, AFullRunStartedByAClickShowsBusyStatesThenPlotsResultsAndFiles) {
    open();
    click(option("optCUT", 2));  // a short evaluation length keeps the run brief
    click(option("optSPD", 3));
    ASSERT_TRUE(option("optCUT", 2)->isChecked());

    // What the window shows while the run waits on the instrument.
    bool sawBusy = false, sawProgress = false, stopUsable = true;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!find<QPushButton>("cmdSTART")->isEnabled()) {
            sawBusy = true;
            stopUsable &= find<QPushButton>("cmdSTOP")->isEnabled();
            EXPECT_FALSE(find<QPushButton>("cmdEND")->isEnabled());
        }
        sawProgress |= find<QProgressBar>("ProgressBar1")->isVisible();
    });
    watch.start();
    click(find<QPushButton>("cmdSTART"));  // returns when the run has ended
    watch.stop();

    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(stopUsable);
    EXPECT_TRUE(shownBoxes_.isEmpty()) << shownBoxes_.join("\n").toStdString();
    EXPECT_TRUE(find<QPushButton>("cmdSTART")->isEnabled());
    EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());

    const int measured = lineCount(file("Measured.csv"));
    const int evaluation = lineCount(file("Evaluation.csv"));
    ASSERT_GT(measured, 100);
    EXPECT_EQ(evaluation, measured);
    ResultsPanel* results = window().results();
    EXPECT_EQ(results->measuredChart()->pointCount(), measured);
    EXPECT_EQ(results->evaluationChart()->pointCount(), evaluation);
    EXPECT_EQ(results->resultsTable()->rowCount(), lineCount(file("Parameter.csv")));
    EXPECT_GT(results->resultsTable()->rowCount(), 0);
    EXPECT_EQ(results->filesList()->count(), 4);
    EXPECT_EQ(find<QListWidget>("lstSTATUS")->count(), results->resultsTable()->rowCount());
    // The traverse axis is in millimetres once the pitch is known.
    auto* axis = results->measuredChart()->chart()->axes(Qt::Horizontal).front();
    EXPECT_EQ(axis->titleText(), "Position (mm)");
}

TEST_F(DesktopWindowTest, StopClickedDuringTheTransferEndsTheRunWithoutFiles) {
    open();
    click(option("optCUT", 4));  // a long profile, so the transfer is under way for a while
    bool stopped = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* bar = find<QProgressBar>("ProgressBar1");
        if (!stopped && bar->isVisible() && bar->value() > 0) {
            stopped = true;
            click(find<QPushButton>("cmdSTOP"));
        }
    });
    watch.start();
    click(find<QPushButton>("cmdSTART"));
    watch.stop();

    EXPECT_TRUE(stopped);
    EXPECT_TRUE(find<QPushButton>("cmdSTART")->isEnabled());
    EXPECT_FALSE(QFile::exists(file("Measured.csv")));
    EXPECT_EQ(window().results()->measuredChart()->pointCount(), 0);
}

TEST_F(DesktopWindowTest, CardOpensItsDialogModallyAndCancelClosesIt) {
    open();
    QString shownTitle;
    bool mainBlocked = false;
    QTimer::singleShot(50, [&] {
        auto* dialog = window().findChild<QDialog*>("fomCARD");
        ASSERT_NE(dialog, nullptr);
        shownTitle = dialog->isVisible() ? dialog->windowTitle() : QString();
        mainBlocked = QApplication::activeModalWidget() == dialog;
        click(dialog->findChild<QPushButton*>("fomCARD.cmdCANCEL"));
    });
    click(find<QPushButton>("cmdCARD"));  // returns when the dialog has closed
    EXPECT_EQ(shownTitle, "Compact Flash Card");
    EXPECT_TRUE(mainBlocked);
    EXPECT_FALSE(window().findChild<QDialog*>("fomCARD")->isVisible());
}

TEST_F(DesktopWindowTest, ExitEndsTheProgramAndClosesTheWindow) {
    open();
    click(find<QPushButton>("cmdEND"));
    EXPECT_TRUE(window().programEnded());
    EXPECT_FALSE(window().isVisible());
}

TEST_F(DesktopWindowTest, JapaneseCaptionsComeInAJapaneseFace) {
    open(KT520_BINARY_DIR "/bin/lang/ja");
    EXPECT_EQ(window().windowTitle(), "ProfiLux KT-520 シリアル通信 Ver" + versionText());
    EXPECT_EQ(find<QGroupBox>("frmLAN(2)")->title(), "規格");
    std::vector<std::string> installed;
    for (const QString& family : QFontDatabase::families())
        installed.push_back(family.toStdString());
    const QString face = QString::fromStdString(lang::japaneseFace(installed));
    EXPECT_EQ(find<QGroupBox>("frmLAN(2)")->font().families().value(0), face);
    EXPECT_EQ(option("optCUT", 3)->font().families().value(0), face);
    EXPECT_EQ(find<QPushButton>("cmdSTART")->font().families().value(0), face);
    EXPECT_EQ(window().results()->measuredChart()->chart()->title(), "測定曲線");
}

}  // namespace
}  // namespace kt520::ui::desktop
