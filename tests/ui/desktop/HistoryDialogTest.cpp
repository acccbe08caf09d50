// The history window at the smallest screen the shop floor has, 1024x768
// (less a title bar), in English and Japanese: every tab's labels, buttons
// and check boxes get the room their text needs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/Frontend.h"
#include "app/RunKeeper.h"
#include "ui/desktop/HistoryDialog.h"

namespace kt520::ui::desktop {
namespace {

struct NoFrontend : app::Frontend {
    void formChanged() override {}
    void showMessage(const session::Message&) override {}
    void beep() override {}
    void runEnded(const measurement::RunRecord&) override {}
    void sessionIdle() override {}
    void cardDialogOpened() override {}
    void programEnds(bool) override {}
};

TEST(HistoryDialogTest, FitsTheSmallestScreenInBothLanguages) {
    static int argc = 1;
    static char name[] = "test_desktop";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    QTemporaryDir folder;
    history::History history(history::sqliteTarget(folder.filePath("history.sqlite")),
                             folder.path().toStdString());
    history.open();
    NoFrontend frontend;
    app::RunKeeper keeper(history, frontend, [] { return false; });
    for (const bool japanese : {false, true}) {
        HistoryDialog dialog(keeper, folder.path().toStdString(), japanese);
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
