// Port numbers to devices, and the --port option text.
#include <gtest/gtest.h>

#include "link/PortMap.h"

namespace kt520::link {
namespace {

TEST(PortOverride, ReadsPortAndDevice) {
    std::string error;
    const auto entry = parsePortOverride("COM3=/dev/ttyUSB0", error);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->portNumber, 3);
    EXPECT_EQ(entry->device, "/dev/ttyUSB0");

    const auto lower = parsePortOverride("com20=/dev/pts/4", error);
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->portNumber, 20);
}

TEST(PortOverride, RejectsBadTextWithAReason) {
    for (const char* text :
         {"", "COM3", "/dev/ttyUSB0", "LPT1=/dev/lp0", "COM=/dev/x", "COM0=/dev/x", "COM21=/dev/x",
          "COM3x=/dev/x", "COM-1=/dev/x", "COM3="}) {
        std::string error;
        EXPECT_FALSE(parsePortOverride(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(PortMap, MapsPortsOneToTwentyAndHonoursOverrides) {
    PortMap map;
#ifdef _WIN32
    EXPECT_EQ(map.deviceFor(1), "COM1");
    EXPECT_EQ(map.deviceFor(20), "COM20");
#else
    EXPECT_EQ(map.deviceFor(1), "/dev/ttyS0");
    EXPECT_EQ(map.deviceFor(20), "/dev/ttyS19");
#endif
    EXPECT_EQ(map.deviceFor(0), "");
    EXPECT_EQ(map.deviceFor(21), "");

    std::string error;
    map.apply(*parsePortOverride("COM3=/dev/ttyUSB0", error));
    EXPECT_EQ(map.deviceFor(3), "/dev/ttyUSB0");
    EXPECT_NE(map.deviceFor(4), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace kt520::link
