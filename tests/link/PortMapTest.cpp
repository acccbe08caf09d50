// Port numbers to devices, and the --port option text.
#include <gtest/gtest.h>

#include "link/PortMap.h"

namespace kt520::link {
namespace {

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
    for (const char* text : {"COM3=/dev/ttyUSB0", "com20=/dev/pts/4"}) {
        const auto entry = parsePortOverride(text, error);
        ASSERT_TRUE(entry) << text;
        map.apply(*entry);
    }
    EXPECT_EQ(map.deviceFor(3), "/dev/ttyUSB0");
    EXPECT_EQ(map.deviceFor(20), "/dev/pts/4");
}

TEST(PortMap, OverridesWithBadTextAreRejectedWithAReason) {
    for (const char* text :
         {"", "COM3", "/dev/ttyUSB0", "LPT1=/dev/lp0", "COM=/dev/x", "COM0=/dev/x", "COM21=/dev/x",
          "COM3x=/dev/x", "COM-1=/dev/x", "COM3="}) {
        std::string error;
        EXPECT_FALSE(parsePortOverride(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

}  // namespace
}  // namespace kt520::link
