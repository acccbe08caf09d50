// The history in the window: the last run's verdict in colour, and the
// history window at the smallest screen the shop floor has, 1024x768 (less a
// title bar), in English and Japanese, every tab's texts given their room.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/RunKeeper.h"
#include "support/NullFrontend.h"
#include "ui/desktop/HistoryDialog.h"
#include "ui/desktop/RunLabelsBar.h"

namespace kt520::ui::desktop {
namespace {

class HistoryWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    }
    QTemporaryDir folder_;
    history::History history_{history::sqliteTarget(folder_.filePath("history.sqlite")),
                              folder_.path().toStdString()};
    test::NullFrontend frontend_;
    app::RunKeeper keeper_{history_, frontend_, [] { return false; }};
};

TEST_F(HistoryWindowTest, ShowsTheVerdictInColourWithTheParametersBeyondTheirLimits) {
    RunLabelsBar bar(keeper_, folder_.path().toStdString());
    const std::vector<analysis::Parameter> run{{"Ra", 0.9, "um", ""}, {"Rz", 3.0, "um", ""}};
    for (const double high : {0.8, 1.0}) {
        const quality::Limit limit{std::nullopt, high, quality::Rule::Max};
        bar.showJudgement({{"Shaft", "", ""}, quality::judge(run, {{"Shaft", "Ra", limit}}), {}});
        const bool ng = high < 0.9;
        EXPECT_EQ(bar.verdictLabel()->text(), ng ? "NG" : "OK");
        EXPECT_TRUE(bar.verdictLabel()->styleSheet().contains(ng ? "#c62828" : "#1b7f3b"));
        const auto labels = bar.findChildren<QLabel*>();  // the parameter beyond its limit named
        EXPECT_EQ(
            std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "Ra"; }),
            ng);
    }
}

TEST_F(HistoryWindowTest, FitsTheSmallestScreenInBothLanguages) {
    history_.open();
    for (const bool japanese : {false, true}) {
        HistoryDialog dialog(keeper_, folder_.path().toStdString(), japanese);
        dialog.resize(1024, 740);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        // A dialog whose layout needs more grows past the screen instead.
        EXPECT_EQ(dialog.size(), QSize(1024, 740)) << "japanese " << japanese;
        for (int tab = 0; tab < dialog.tabs()->count(); ++tab) {
            dialog.tabs()->setCurrentIndex(tab);
            QTest::qWait(20);  // the tab laid out
            for (QWidget* widget : dialog.findChildren<QWidget*>()) {
                if (!widget->isVisible() ||
                    !(qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget)))
                    continue;
                EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                    << widget->objectName().toStdString() << " on tab " << tab << ", japanese "
                    << japanese;
                EXPECT_TRUE(dialog.rect().contains(
                    QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size())))
                    << widget->objectName().toStdString() << " on tab " << tab;
            }
        }
    }
}

}  // namespace
}  // namespace kt520::ui::desktop
