#include "ui/desktop/DesktopPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "lang/Operator.h"

namespace kt520::ui::desktop {

DesktopPump::DesktopPump() {
    clock_.start();
}

void DesktopPump::processEvents() {
    if (ended_) throw lang::ProgramEnded{};
    if (beforeEvents) beforeEvents();
    QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher();
    QCoreApplication::sendPostedEvents();
    const bool busy = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
    // Nothing pending: rest a moment so that polling loops do not spin a core.
    if (!busy) QThread::msleep(1);
    if (ended_) throw lang::ProgramEnded{};
}

link::Millis DesktopPump::now() const {
    return link::Millis{clock_.elapsed()};
}

}  // namespace kt520::ui::desktop
