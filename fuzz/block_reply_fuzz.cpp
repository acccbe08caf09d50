// Feeds any bytes as profile block replies, one piece per "RDDTB00" (pieces
// cut at "#|#"), fetched in a loop as a profile transfer fetches them.
#include "FuzzLine.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzLine line(fuzzing::asText(data, size));
    int fetched = 0;
    for (; fetched < 200; ++fetched) {
        std::optional<link::Block> block;
        const fuzzing::Ending ending = line.run(line.link.fetchBlock(), block);
        const std::string& piece = line.peer.lastPiece();
        const bool knownHead = piece.starts_with("OK") || piece.starts_with("NG");
        // Only a whole head that is neither "OK" nor "NG" is an internal fault.
        if ((ending == fuzzing::Ending::InternalFault) != (piece.size() >= 4 && !knownHead))
            std::abort();
        if (ending != fuzzing::Ending::Done) break;
        // A block is read to its declared end, and no further.
        const std::size_t declared = 4 * static_cast<std::size_t>(block->declaredPoints) + 5;
        if (block->kind == link::Block::Kind::End ? piece.size() < 5 : piece.size() < declared)
            std::abort();
        if (block->kind == link::Block::Kind::End) break;
        if (block->points.size() > link::kMaxBlockPoints) std::abort();
        if ((block->kind == link::Block::Kind::Oversized) != (block->declaredPoints > 1000))
            std::abort();
    }
    // Every fetch ends within a few bounded waits.
    if (line.loop.now() > (fetched + 1) * 2 * link::kDefaultReplyTimeout) std::abort();
    return 0;
}
