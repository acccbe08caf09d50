#include "async/qt/QtWorker.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

namespace kt520::async {

void QtWorker::run(std::function<void()> work, std::function<void()> done) {
    QThreadPool::globalInstance()->start([work = std::move(work), done = std::move(done)] {
        work();
        QMetaObject::invokeMethod(QCoreApplication::instance(), done, Qt::QueuedConnection);
    });
}

}  // namespace kt520::async
