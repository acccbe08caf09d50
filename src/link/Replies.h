#pragma once
// The instrument's replies as the program reads them, and the pure checks on
// their bytes. Nothing here waits or talks to the line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt520::link {

// Characters 5 to 8 of the answer to "RDKT 00" read "KT52" for a KT-520,
// whatever follows; a shorter answer is no KT-520.
bool answersAsKt520(std::string_view reply);

// An error reply: "NG" and the instrument's error number as two digits.
struct Refusal {
    int number = -1;   // -1 when the two characters are no number
    std::string code;  // the two characters as they came
};
// The refusal a text reply carries, or none when it does not begin with "NG".
std::optional<Refusal> refusalIn(std::string_view reply);

// The answer to "RDSTU00": "OK" and nine status characters, an error reply,
// or something else, of which only the first character is kept.
struct StatusReply {
    enum class Kind { Status, Refused, Unexpected };
    Kind kind = Kind::Unexpected;
    std::string characters;  // the 11 characters, the error reply, or the first character
    Refusal refusal;         // for Refused

    // Character `position` (1-based: 3 is the instrument's state, 4 its data
    // status) of a status reply; the first character of anything else.
    char at(int position) const;
};

// One answer to "RDDTB00".
struct Block {
    enum class Kind {
        Points,     // "OK", a point count of at most 1000, the points
        End,        // "NG" and three characters: the instrument has no more
        Oversized,  // "OK" with a count above 1000: read to its end and dropped
    };
    Kind kind = Kind::End;
    std::string head;        // "OK", or "NG" and its three characters
    int declaredPoints = 0;  // the count the block announced
    std::vector<float> points;
};

inline constexpr int kMaxBlockPoints = 1000;

// The point count of a block head ("OK" and two bytes, high byte first).
int blockPointCount(std::string_view head);
// The IEEE single-precision values of a block, four bytes each, most
// significant byte first.
std::vector<float> blockPoints(std::string_view bytes);

}  // namespace kt520::link
