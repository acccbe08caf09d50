// Feeds any bytes as the answer to "RDSTU00": the first byte picks the
// position asked for, the rest is the reply.
#include <cstdlib>

#include "FuzzLine.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzzing::FuzzLine line(fuzzing::asText(data + 1, size - 1));
    const int position = data[0] % 14;  // 0 and 12-13 lie outside the reply
    const std::string status = line.link.queryStatus(position);
    if (status != "ERR" && status.size() > 1) std::abort();
    if (status == "ERR" && !line.link.lineFailed()) std::abort();
    // A bounded read: at most one reply timeout per byte of the 11.
    if (line.pump.now() > 12 * (line.link.replyTimeout() + link::Millis{100})) std::abort();
    return 0;
}
