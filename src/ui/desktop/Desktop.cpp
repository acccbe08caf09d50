#include "ui/desktop/Desktop.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>

#include "lang/LanguageFonts.h"
#include "ui/desktop/DesktopOperator.h"
#include "ui/desktop/DesktopPump.h"
#include "ui/desktop/DesktopWindow.h"

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

int runDesktop(int& argc, char** argv, const ControllerFactory& makeController) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("kt520");
    QApplication::setApplicationVersion(versionText());
    // One look on every desktop, so the panel's colours read the same everywhere.
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    DesktopPump pump;
    DesktopOperator op;
    std::unique_ptr<app::MainWindow> controller = makeController(pump, op);
    DesktopWindow window(controller->window(), controller->card(),
                         QString::fromStdString(controller->dataFolder()), versionText(),
                         fontFamilyFor);
    op.setParent(&window);
    pump.beforeEvents = [&window] { window.refreshSoon(); };
    window.onProgramEnded = [&pump] {
        pump.endProgram();
        QCoreApplication::exit(0);
    };
    controller->showCardDialog = [&window] { window.execCardDialog(); };

    // Start-up runs before the window is first shown, as the window's creation does.
    window.dispatch([&controller] {
        controller->initialize();
        controller->load();
    });
    if (window.programEnded()) return 0;
    window.show();
    return QApplication::exec();
}

}  // namespace kt520::ui::desktop
