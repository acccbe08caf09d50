#pragma once
// The worker on Qt's global thread pool; what follows the work is posted back
// to the application's (the event loop's) thread.
#include "async/Worker.h"

namespace kt520::async {

class QtWorker : public Worker {
  public:
    void run(std::function<void()> work, std::function<void()> done) override;
};

}  // namespace kt520::async
