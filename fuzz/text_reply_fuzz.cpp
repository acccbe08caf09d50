// Feeds any bytes as the instrument's text replies, one piece per command
// (pieces cut at "#|#"), trickling in a byte a millisecond. The first byte
// picks the exchange: a text reply read with its refusal, or first a reply
// that is skipped unread (a drive command's) and then the next one.
#include <algorithm>

#include "FuzzLine.h"
#include "link/Replies.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzzing::FuzzLine line(fuzzing::asText(data + 1, size - 1), true);
    // A whole reply that is skipped leaves nothing for the next one to read.
    bool wholeBefore = true;
    if (data[0] % 2 == 1) {
        if (line.run(line.link.send("WRSPD44")) != fuzzing::Ending::Done) return 0;
        wholeBefore = line.peer.lastPiece().find('\r') == line.peer.lastPiece().size() - 1;
    }
    std::optional<std::string> reply;
    const fuzzing::Ending ending = line.run(line.link.exchange("RDRES00"), reply);
    if (ending == fuzzing::Ending::InternalFault) std::abort();
    if (ending == fuzzing::Ending::LineLost) return 0;
    // The reply ends at its first carriage return, within the bound; after a
    // whole reply it is this command's answer, never a rest of the one before.
    const std::string& piece = line.peer.lastPiece();
    if (reply->find('\r') != reply->size() - 1 || reply->size() > link::kMaxReplyLength + 1)
        std::abort();
    if (wholeBefore && *reply != piece.substr(0, piece.find('\r') + 1)) std::abort();
    const auto refusal = link::refusalIn(*reply);
    if (refusal.has_value() != reply->starts_with("NG")) std::abort();
    if (refusal && refusal->number > 99) std::abort();
    if (line.loop.now() >
        3 * link::kDefaultReplyTimeout + link::Millis{2 * static_cast<long>(size)})
        std::abort();
    return 0;
}
