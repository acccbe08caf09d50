#include "link/Replies.h"

#include <bit>

namespace kt520::link {

bool answersAsKt520(std::string_view reply) {
    return reply.size() >= 8 && reply.substr(4, 4) == "KT52";
}

std::optional<Refusal> refusalIn(std::string_view reply) {
    if (!reply.starts_with("NG")) return std::nullopt;
    Refusal refusal;
    refusal.code = std::string(reply.substr(2, 2));
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (refusal.code.size() == 2 && digit(refusal.code[0]) && digit(refusal.code[1]))
        refusal.number = (refusal.code[0] - '0') * 10 + (refusal.code[1] - '0');
    return refusal;
}

char StatusReply::at(int position) const {
    if (kind != Kind::Status) return characters.empty() ? '\0' : characters[0];
    if (position < 1 || position > static_cast<int>(characters.size())) return '\0';
    return characters[static_cast<std::size_t>(position - 1)];
}

int blockPointCount(std::string_view head) {
    if (head.size() < 4) return 0;
    return static_cast<std::uint8_t>(head[2]) << 8 | static_cast<std::uint8_t>(head[3]);
}

std::vector<float> blockPoints(std::string_view bytes) {
    std::vector<float> points;
    points.reserve(bytes.size() / 4);
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 4; ++i)
            word = word << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        points.push_back(std::bit_cast<float>(word));
    }
    return points;
}

}  // namespace kt520::link
