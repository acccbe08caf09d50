// Feeds any bytes as the instrument's text replies: the reply read with its
// field count, the error check of a refused command, and the result reply
// split into the status list and the output lines. The first byte picks
// which; the rest is the reply.
#include <algorithm>
#include <cstdlib>

#include "FuzzLine.h"
#include "measurement/ResultReader.h"

using namespace kt520;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzzing::FuzzLine line(fuzzing::asText(data + 1, size - 1));
    switch (data[0] % 3) {
        case 0: {
            line.link.sendCommand("RDCON00");
            line.link.readTextReply();
            const std::string& reply = line.link.replyText;
            // Whole replies only: up to the first carriage return, within the bound.
            if (reply.size() > link::kMaxReplyLength + 1) std::abort();
            if (!reply.empty() && reply.find('\r') != reply.size() - 1) std::abort();
            const auto separators = std::count_if(reply.begin(), reply.end(),
                                                  [](char c) { return c == ',' || c == '\r'; });
            if (separators != line.link.replyFieldCount) std::abort();
            if (line.link.lineFailed() && !reply.empty()) std::abort();
            break;
        }
        case 1: {
            line.link.sendCommand("WRSTD2");
            const std::string result = line.link.checkReply("WRSTD2");
            if (result != "" && result != "NG") std::abort();
            // A refusal or a lost line is always shown, once.
            if (result == "NG" && line.op.messages != 1) std::abort();
            break;
        }
        default: {
            ui::ListBox status;
            // Thirty thousand output lines: made once, only the first few are used.
            static measurement::ProfileData profile;
            measurement::readResults(line.link, status, profile);
            if (status.items.size() > line.link.replyText.size()) std::abort();
            for (const std::string& field : status.items)
                if (field.find_first_of(",\r") != std::string::npos) std::abort();
            break;
        }
    }
    return 0;
}
