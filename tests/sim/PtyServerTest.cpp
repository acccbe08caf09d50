// The simulated instrument served on a pseudo-terminal, read through the
// device the way a serial-port program opens it.
#if defined(__unix__) || defined(__APPLE__)
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "sim/Instrument.h"
#include "sim/pty/PtyServer.h"

namespace kt520::sim {
namespace {

class PtyClient {
  public:
    explicit PtyClient(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios settings{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~PtyClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }

    // Sends the command and serves the instrument until `expected` bytes (or
    // a carriage return when 0) arrived, for two seconds at most.
    std::string ask(PtyServer& server, const std::string& command, std::size_t expected = 0) {
        const std::string line = command + '\r';
        EXPECT_EQ(::write(fd_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        std::string reply;
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        bool serving = true;
        while (std::chrono::steady_clock::now() < end) {
            if (serving && !server.serveOnce(1)) {
                // The line died: take what is still on its way, briefly.
                serving = false;
                end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
            }
            char buffer[256];
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0) reply.append(buffer, static_cast<std::size_t>(got));
            if (expected ? reply.size() >= expected : (!reply.empty() && reply.back() == '\r'))
                break;
        }
        return reply;
    }

  private:
    int fd_;
};

// Identification, status and a refusal on the device; then a fault that
// closes the line mid-reply ends the serving.
TEST(PtyServer, AnswersOnTheDeviceUntilAFaultClosesTheLine) {
    SimConfig config;
    EXPECT_EQ(applySimOption(config, "fault", "close:RDCON00"), "");
    Instrument instrument(config);
    PtyServer server(instrument);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    PtyClient client(server.devicePath());
    ASSERT_TRUE(client.isOpen()) << server.devicePath();

    const std::string identification = client.ask(server, "RDKT 00");
    ASSERT_GE(identification.size(), 17u);
    EXPECT_EQ(identification.substr(4, 5), "KT520");
    EXPECT_EQ(client.ask(server, "RDSTU00", 11), "OK000000000");
    EXPECT_EQ(client.ask(server, "WRCUT9"), "NG01\r");

    const std::string half = client.ask(server, "RDCON00", 400);
    EXPECT_TRUE(half.starts_with("OK332146")) << half;
    EXPECT_EQ(half.find('\r'), std::string::npos);
    EXPECT_FALSE(server.serveOnce(0));
}

}  // namespace
}  // namespace kt520::sim
#endif
