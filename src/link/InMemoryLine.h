#pragma once
// A serial line whose far end is a LinePeer in the same process: the built-in
// simulated instrument, or a test's scripted instrument. Port numbers lead to
// the peers attached to them; time is the event loop's, and a wait for bytes
// wakes exactly when the peer says they arrive.
#include <map>
#include <string>

#include "async/EventLoop.h"
#include "link/LinePeer.h"
#include "link/SerialLine.h"

namespace kt520::link {

class InMemoryLine : public SerialLine {
  public:
    explicit InMemoryLine(async::EventLoop& loop) : loop_(loop) {}
    InMemoryLine(const InMemoryLine&) = delete;
    InMemoryLine& operator=(const InMemoryLine&) = delete;
    ~InMemoryLine() override { cancelNotify(); }

    // The peer answers on this port number from now on (it must outlive the line).
    void attach(int portNumber, LinePeer& peer);
    // The line goes away underneath the host, as when a USB adapter is pulled.
    void pullPlug();

    bool open(int portNumber, std::string_view settings) override;
    void close() override;
    bool isOpen() const override { return peer_ != nullptr; }
    bool deviceReady() const override { return peer_ != nullptr && peer_->deviceReady(); }
    std::size_t bytesWaiting() override;
    std::string read(std::size_t count) override;
    void clearInput() override;
    void write(std::string_view bytes) override;
    void notifyWhenReadable(std::size_t least, std::size_t most,
                            std::function<void()> ready) override;
    void cancelNotify() override;

    const std::string& settings() const { return settings_; }
    // Every byte the host has written, across openings.
    const std::string& written() const { return written_; }

  private:
    void collect();
    void arm();
    void fire();

    async::EventLoop& loop_;
    std::map<int, LinePeer*> peers_;
    LinePeer* peer_ = nullptr;  // the peer of the open port; null while closed
    std::string settings_;
    std::string input_;
    std::string written_;
    std::function<void()> ready_;
    std::size_t least_ = 0;
    std::size_t wanted_ = 0;
    async::EventLoop::TimerId timer_ = 0;
};

}  // namespace kt520::link
