#pragma once
// A frontend that shows nothing: for a rig that needs a RunKeeper but not a window.
#include "app/Frontend.h"

namespace kt520::test {

struct NullFrontend : app::Frontend {
    void formChanged() override {}
    void showMessage(const session::Message&) override {}
    void beep() override {}
    void runEnded(const measurement::RunRecord&) override {}
    void sessionIdle() override {}
    void cardDialogOpened() override {}
    void programEnds(bool) override {}
};

}  // namespace kt520::test
