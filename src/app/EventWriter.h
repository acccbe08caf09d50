#pragma once
// The headless driver's output: one compact JSON object per line, flushed at
// once, so that a controller reading the pipe sees each event when it happens.
#include <QJsonObject>
#include <cstdio>

namespace kt520::app {

class EventWriter {
  public:
    explicit EventWriter(std::FILE* out) : out_(out) {}
    void write(const QJsonObject& event);

  private:
    std::FILE* out_;
};

}  // namespace kt520::app
