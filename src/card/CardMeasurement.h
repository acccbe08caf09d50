#pragma once
// One measurement as the instrument saves it to its memory card, and what can
// be wrong with the files it saved. A card format reads its files into these
// types and the card import works on nothing else, so a second format can be
// read beside the first without the import knowing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kt520::card {

struct CardHeader {
    std::string modelName;        // "KT520"; "KT210" for the other model's files
    std::string firmwareText;     // "1.311"
    std::int16_t romVersion = 0;  // the firmware version x 1000
    std::string date;             // "2024/05/17 14:03:22", as the instrument's clock had it
    bool operator==(const CardHeader&) const = default;
};

struct CardMeasurement {
    CardHeader header;
    std::string conditionRecord;       // in the card layout of the header's firmware
    std::vector<std::string> results;  // the result fields, as "RDRES00" gives them
    std::vector<float> measured;       // micrometres, every point the stylus recorded
    std::vector<float> evaluation;     // micrometres
    bool operator==(const CardMeasurement&) const = default;
};

// The four files of one measurement, by their extension.
enum class CardFile { Smb, Rcb, Res, Csv };
inline constexpr CardFile kCardFiles[] = {CardFile::Smb, CardFile::Rcb, CardFile::Res,
                                          CardFile::Csv};
const char* extensionOf(CardFile file);  // ".SMB", ".RCB", ".RES", ".CSV"

// The bytes of the four files; none for a file that is not there.
struct CardFiles {
    std::optional<std::string>& operator[](CardFile file) { return bytes[index(file)]; }
    const std::optional<std::string>& operator[](CardFile file) const { return bytes[index(file)]; }
    static std::size_t index(CardFile file) { return static_cast<std::size_t>(file); }
    std::array<std::optional<std::string>, 4> bytes;
};

enum class CardFault {
    DriveUnreadable,   // the folder or a file cannot be read at all
    Missing,           // a file of the measurement is not there
    Truncated,         // a file ends before its data do
    Damaged,           // a file is not what its kind must be (see Damage)
    VersionCheck,      // a file of a format version this reader does not know, or
                       // a condition record that is not the layout of the firmware
    OtherModel,        // the measurement comes from the KT-210
    UnsupportedModel,  // the measurement comes from a model this program does not know
    Firmware,          // a firmware version the window cannot be configured for
};

enum class Damage {
    None,
    NotCardFile,    // its first bytes are not those of its kind of file
    Checksum,       // its checksum does not match its bytes
    Trailing,       // bytes follow its end
    Contents,       // its contents contradict its own header or layout
    TooManyPoints,  // longer than a profile of the most points a profile may hold
    UnknownCode,    // a condition code that no table of the program knows (found by the import)
};

struct CardProblem {
    CardFault fault = CardFault::Damaged;
    std::string file;  // the file's name ("KT000001.RES"); empty when no one file is meant
    Damage damage = Damage::None;
    std::uint64_t bytesPresent = 0;  // Truncated: what the file holds,
    std::uint64_t bytesNeeded = 0;   // and what it should
};

// Either a measurement or why there is none.
struct CardRead {
    std::optional<CardMeasurement> measurement;
    CardProblem problem;  // when there is no measurement
};

}  // namespace kt520::card
