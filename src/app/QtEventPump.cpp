#include "app/QtEventPump.h"

#include <QCoreApplication>
#include <QThread>

namespace kt520::app {
namespace {
// Long enough that a waiting loop costs next to no processor time, short
// enough that a byte's late pick-up never adds up over a transfer.
constexpr int kIdleWaitMs = 2;
}  // namespace

QtEventPump::QtEventPump() {
    clock_.start();
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    wake_.setInterval(kIdleWaitMs);
}

void QtEventPump::processEvents() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        wake_.start();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        wake_.stop();
    } else {
        QThread::msleep(kIdleWaitMs);
    }
    if (onEvents) onEvents();
}

link::Millis QtEventPump::now() const {
    return link::Millis{clock_.elapsed()};
}

}  // namespace kt520::app
