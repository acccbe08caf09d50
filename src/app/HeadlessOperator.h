#pragma once
// The operator of the headless driver: every message box is printed as a JSON
// line and acknowledged at once, and so are the beep and the end of the program.
#include <QJsonObject>
#include <cstdio>

#include "lang/Operator.h"

namespace kt520::app {

// One compact JSON object per line, flushed at once so that a controller
// reading the pipe sees each event when it happens.
class EventWriter {
  public:
    explicit EventWriter(std::FILE* out) : out_(out) {}
    void write(const QJsonObject& event);

  private:
    std::FILE* out_;
};

class HeadlessOperator : public lang::Operator {
  public:
    explicit HeadlessOperator(EventWriter& events) : events_(events) {}
    void showMessage(const std::string& text, const std::string& title,
                     lang::MessageIcon icon) override;
    void beep() override;
    void endProgram() override;

    bool ended() const { return ended_; }

  private:
    EventWriter& events_;
    bool ended_ = false;
};

}  // namespace kt520::app
