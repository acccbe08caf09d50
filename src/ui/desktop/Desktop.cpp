#include "ui/desktop/Desktop.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QStyleFactory>

#include "app/HistorySetup.h"
#include "lang/LanguageFonts.h"

namespace kt520::ui::desktop {

QString versionText() {
    // "Ver" is followed by major.minor with two minor digits, "1.00".
    return QString("%1.%2").arg(KT520_VERSION_MAJOR).arg(KT520_VERSION_MINOR, 2, 10, QChar('0'));
}

QString fontFamilyFor(const std::string& face) {
    if (face.empty()) return {};
    if (face != lang::kJapaneseFace) return QString::fromStdString(face);
    static const QString japanese = [] {
        std::vector<std::string> installed;
        for (const QString& family : QFontDatabase::families())
            installed.push_back(family.toStdString());
        return QString::fromStdString(lang::japaneseFace(installed));
    }();
    return japanese;
}

Desktop::Desktop(const app::Options& options)
    : program_(options, loop_),
      window_(versionText(), fontFamilyFor),
      controller_(loop_, worker_, program_.line(), program_.folders(), window_),
      history_(app::historyTarget(options, program_.folders().data, historyProblem_)
                   .value_or(history::sqliteTarget(QString::fromStdString(
                       program_.folders().data.path() + history::kHistoryFileName))),
               program_.folders().data.path()),
      keeper_(history_, window_, [this] { return controller_.languageCode() == "J"; }) {
    controller_.form().cmbCOM.toolTip = program_.portListing();
    window_.attach(controller_.form(), controller_.card());
    controller_.setKeeper(&keeper_);
    window_.attachHistory(keeper_, controller_.dataFolder());
}

bool Desktop::start() {
    if (!historyProblem_.empty())
        window_.showMessage(
            {historyProblem_ + " (history.sqlite is used)", "History", session::Icon::Stop});
    return controller_.start();
}

int runDesktop(int& argc, char** argv, const app::Options& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("kt520");
    QApplication::setApplicationVersion(versionText());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kt520.svg")));
    // One look on every desktop, so the panel's colours read the same everywhere.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // The window says when the program ends (after its last message has been read).
    QApplication::setQuitOnLastWindowClosed(false);

    Desktop desktop(options);
    desktop.window().onEnded = [](int status) {
        // Queued, so that it also ends a program that ended before exec() began.
        QMetaObject::invokeMethod(
            qApp, [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
    };
    if (desktop.start()) desktop.window().show();
    return QApplication::exec();
}

}  // namespace kt520::ui::desktop
