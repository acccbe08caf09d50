// Feeds any bytes as profile block replies, one piece per "RDDTB00" (pieces
// cut at "#|#"), read in a loop as a profile transfer reads them.
#include <cstdlib>

#include "FuzzLine.h"
#include "lang/Operator.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzLine line(fuzzing::asText(data, size));
    std::vector<std::string> points(1);
    std::int32_t count = 0;
    std::string runMode = (size > 0 && data[0] % 2 == 0) ? "WRSTA" : "DRSTA";
    line.link.setByteMode();
    try {
        for (int block = 0; block < 200; ++block) {
            line.link.sendCommand("RDDTB00");
            line.link.readBlock(points, count, runMode);
            const std::string& head = line.link.blockHead;
            if (head.empty() || head.starts_with("NG") || runMode == "WRSTP") break;
            if (head != "OK") std::abort();
        }
    } catch (const lang::ProgramEnded&) {
        // A head that is neither "OK" nor "NG": shown, then the program ends.
        if (line.op.messages != 1) std::abort();
        const std::string& head = line.link.blockHead;
        if (head.size() != 2 || head == "OK" || head == "NG") std::abort();
    }
    if (count < 0 || count > link::kMaxProfilePoints) std::abort();
    if (points.size() < static_cast<std::size_t>(count) + 1) std::abort();
    for (std::int32_t i = 1; i <= count; ++i)
        if (points[static_cast<std::size_t>(i)].empty()) std::abort();
    return 0;
}
