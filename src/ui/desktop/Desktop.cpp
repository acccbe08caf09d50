#include "ui/desktop/Desktop.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QStyleFactory>

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

DesktopSession::DesktopSession(const app::Options& options)
    : program_(options, pump_, operator_),
      window_(program_.mainWindow().window(), program_.mainWindow().card(),
              QString::fromStdString(program_.mainWindow().dataFolder()), versionText(),
              fontFamilyFor) {
    operator_.setParent(&window_);
    pump_.onEvents = [this] {
        window_.refreshSoon();
        // Once the program has ended, every further wait unwinds the core.
        if (window_.programEnded()) throw lang::ProgramEnded{};
    };
    window_.onProgramEnded = [] { QCoreApplication::exit(0); };
    program_.mainWindow().showCardDialog = [this] { window_.execCardDialog(); };
}

bool DesktopSession::start() {
    window_.dispatch([this] { program_.start(); });
    return !window_.programEnded();
}

int runDesktop(int& argc, char** argv, const app::Options& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("kt520");
    QApplication::setApplicationVersion(versionText());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kt520.svg")));
    // One look on every desktop, so the panel's colours read the same everywhere.
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    DesktopSession session(options);
    // The start-up runs before the window is first shown, as the window's creation does.
    if (!session.start()) return 0;
    session.window().show();
    return QApplication::exec();
}

}  // namespace kt520::ui::desktop
