// Feeds any bytes as the answers to "RDSTU00", one piece per query (pieces
// cut at "#|#"), as the polling of a run asks them.
#include "FuzzLine.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzLine line(fuzzing::asText(data, size));
    for (int query = 1; query <= 8; ++query) {
        std::optional<link::StatusReply> reply;
        const fuzzing::Ending ending = line.run(line.link.queryStatus(), reply);
        if (ending == fuzzing::Ending::InternalFault) std::abort();
        if (ending == fuzzing::Ending::LineLost) break;
        const std::string& text = reply->characters;
        switch (reply->kind) {
            case link::StatusReply::Kind::Status:
                if (text.size() != 11 || !text.starts_with("OK")) std::abort();
                break;
            case link::StatusReply::Kind::Refused:
                if (!text.starts_with("NG") || !text.ends_with('\r') || reply->refusal.number > 99)
                    std::abort();
                break;
            case link::StatusReply::Kind::Unexpected:
                if (text.size() != 1 || line.peer.lastPiece().starts_with("OK") ||
                    line.peer.lastPiece().starts_with("NG"))
                    std::abort();
                break;
        }
        // Each query ends within a few bounded waits.
        if (line.loop.now() > query * 4 * link::kDefaultReplyTimeout) std::abort();
    }
    return 0;
}
