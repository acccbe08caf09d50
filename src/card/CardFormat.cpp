#include "card/CardFormat.h"

#include <array>
#include <bit>
#include <cmath>
#include <string_view>

#include "conditions/ConditionLayout.h"
#include "measurement/DataFiles.h"
#include "measurement/ProfileData.h"
#include "profile/Blanks.h"

namespace kt520::card {
namespace {

// The frame around every file: kind, format version, body length, body, CRC-32.
constexpr std::size_t kTagBytes = 4;
constexpr std::size_t kHeadBytes = kTagBytes + 2 + 4;
constexpr std::size_t kCrcBytes = 4;
constexpr std::size_t kFrameBytes = kHeadBytes + kCrcBytes;

// The .SMB body: model, firmware, date, point count, then the points.
constexpr std::size_t kModelBytes = 8;
constexpr std::size_t kFirmwareBytes = 8;
constexpr std::size_t kDateBytes = 19;
constexpr std::size_t kSmbHeadBytes = kModelBytes + kFirmwareBytes + kDateBytes + 4;
constexpr std::size_t kMaxPoints = measurement::ProfileData::kCapacity;
// The longest result text the instrument answers (the line's bound on a text reply).
constexpr std::size_t kMaxResultBytes = 8192;
constexpr std::size_t kLongCardRecord = 341;

// Each kind of file: its tag, its extension and the most its body may hold.
struct Kind {
    std::string_view tag;
    const char* extension;
    std::size_t largestBody;
};
constexpr Kind kKinds[] = {
    {"KSMB", ".SMB", kSmbHeadBytes + 4 * kMaxPoints},
    {"KRCB", ".RCB", kLongCardRecord},
    {"KRES", ".RES", 4 + 4 * kMaxPoints},
    {"KCSV", ".CSV", kMaxResultBytes},
};

const Kind& kindOf(CardFile file) {
    return kKinds[CardFiles::index(file)];
}

// CRC-32 as zip and PNG have it (reflected 0x04C11DB7, all ones in and out).
std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void putNumber(std::string& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFFu);
}

std::uint32_t number(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// A text field of `width` bytes: cut or filled with blanks.
void putText(std::string& out, std::string text, std::size_t width) {
    text.resize(width, ' ');
    out += text;
}

void putPoints(std::string& out, const std::vector<float>& points) {
    putNumber(out, static_cast<std::uint32_t>(points.size()), 4);
    for (const float point : points) putNumber(out, std::bit_cast<std::uint32_t>(point), 4);
}

std::string framed(CardFile file, const std::string& body) {
    std::string out(kindOf(file).tag);
    putNumber(out, kFormatVersion, 2);
    putNumber(out, static_cast<std::uint32_t>(body.size()), 4);
    out += body;
    putNumber(out, crc32(out), 4);
    return out;
}

bool printable(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// What reading one file found: its body, or a problem.
struct Body {
    std::string_view bytes;
    std::optional<CardProblem> problem;
};

class Decoder {
  public:
    Decoder(const CardFiles& files, const std::string& stem) : files_(files), stem_(stem) {}

    CardRead decode() {
        const Body smb = body(CardFile::Smb);
        if (smb.problem) return failed(*smb.problem);
        CardMeasurement m;
        if (!readHeader(smb.bytes, m)) return damaged(CardFile::Smb, Damage::Contents);
        if (const auto damage = readPoints(smb.bytes.substr(kSmbHeadBytes - 4), m.measured))
            return damaged(CardFile::Smb, *damage);
        const std::string model(profile::trimBlanks(m.header.modelName));
        if (model == "KT210") return failed({CardFault::OtherModel, name(CardFile::Smb)});
        if (model != "KT520") return failed({CardFault::UnsupportedModel, name(CardFile::Smb)});
        m.header.modelName = model;
        if (!readFirmware(m.header)) return failed({CardFault::Firmware, name(CardFile::Smb)});

        Body bodies[3];
        for (const CardFile file : {CardFile::Rcb, CardFile::Res, CardFile::Csv}) {
            Body& read = bodies[CardFiles::index(file) - 1];
            read = body(file);
            if (read.problem) return failed(*read.problem);
        }
        const std::string_view record = bodies[0].bytes;
        if (record.size() != static_cast<std::size_t>(
                                 conditions::cardConditionLayout(m.header.romVersion).totalWidth()))
            return failed({CardFault::VersionCheck, name(CardFile::Rcb)});
        if (!printable(record)) return damaged(CardFile::Rcb, Damage::Contents);
        m.conditionRecord = std::string(record);
        if (const auto damage = readPoints(bodies[1].bytes, m.evaluation))
            return damaged(CardFile::Res, *damage);
        const std::string_view results = bodies[2].bytes;
        if (results.empty() || results.back() != '\r' ||
            !printable(results.substr(0, results.size() - 1)))
            return damaged(CardFile::Csv, Damage::Contents);
        m.results = measurement::resultFields(results);
        return {std::move(m), {}};
    }

  private:
    std::string name(CardFile file) const { return stem_ + extensionOf(file); }

    CardRead failed(CardProblem problem) const { return {std::nullopt, std::move(problem)}; }
    CardRead damaged(CardFile file, Damage damage) const {
        return failed({CardFault::Damaged, name(file), damage});
    }

    // The body of one file once its frame holds.
    Body body(CardFile file) const {
        const auto problem = [&](CardFault fault, Damage damage = Damage::None,
                                 std::uint64_t present = 0, std::uint64_t needed = 0) {
            return Body{{}, CardProblem{fault, name(file), damage, present, needed}};
        };
        if (!files_[file]) return problem(CardFault::Missing);
        const std::string_view bytes = *files_[file];
        const std::string_view tag = kindOf(file).tag;
        if (bytes.substr(0, kTagBytes) != tag.substr(0, std::min(bytes.size(), kTagBytes)))
            return problem(CardFault::Damaged, Damage::NotCardFile);
        if (bytes.size() >= kTagBytes + 2 && number(bytes, kTagBytes, 2) != kFormatVersion)
            return problem(CardFault::VersionCheck);
        if (bytes.size() < kHeadBytes)
            return problem(CardFault::Truncated, Damage::None, bytes.size(), kFrameBytes);
        const std::size_t length = number(bytes, kTagBytes + 2, 4);
        if (length > kindOf(file).largestBody) {
            const bool profile = file == CardFile::Smb || file == CardFile::Res;
            return problem(CardFault::Damaged, profile ? Damage::TooManyPoints : Damage::Contents);
        }
        const std::size_t needed = kFrameBytes + length;
        if (bytes.size() < needed)
            return problem(CardFault::Truncated, Damage::None, bytes.size(), needed);
        if (bytes.size() > needed) return problem(CardFault::Damaged, Damage::Trailing);
        if (crc32(bytes.substr(0, kHeadBytes + length)) != number(bytes, kHeadBytes + length, 4))
            return problem(CardFault::Damaged, Damage::Checksum);
        return {bytes.substr(kHeadBytes, length), std::nullopt};
    }

    static bool readHeader(std::string_view body, CardMeasurement& m) {
        if (body.size() < kSmbHeadBytes) return false;
        const std::string_view text = body.substr(0, kModelBytes + kFirmwareBytes + kDateBytes);
        if (!printable(text)) return false;
        m.header.modelName = std::string(text.substr(0, kModelBytes));
        m.header.firmwareText = std::string(trimmed(text.substr(kModelBytes, kFirmwareBytes)));
        m.header.date = std::string(trimmed(text.substr(kModelBytes + kFirmwareBytes)));
        return true;
    }

    static std::string_view trimmed(std::string_view text) { return profile::trimBlanks(text); }

    // "d.ddd" from 1.000 up: the version x 1000.
    static bool readFirmware(CardHeader& header) {
        const std::string& text = header.firmwareText;
        if (text.size() != 5 || text[1] != '.') return false;
        int version = 0;
        for (const char c : text) {
            if (c == '.') continue;
            if (c < '0' || c > '9') return false;
            version = version * 10 + (c - '0');
        }
        if (version < kLowestFirmware) return false;
        header.romVersion = static_cast<std::int16_t>(version);
        return true;
    }

    // A point count, then that many finite values; none when they hold.
    static std::optional<Damage> readPoints(std::string_view bytes, std::vector<float>& points) {
        if (bytes.size() < 4) return Damage::Contents;
        const std::uint64_t count = number(bytes, 0, 4);
        if (bytes.size() != 4 + 4 * count) return Damage::Contents;
        points.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const float value = std::bit_cast<float>(number(bytes, 4 + 4 * i, 4));
            if (!std::isfinite(value)) return Damage::Contents;
            points.push_back(value);
        }
        return std::nullopt;
    }

    const CardFiles& files_;
    const std::string& stem_;
};

}  // namespace

const char* extensionOf(CardFile file) {
    return kindOf(file).extension;
}

std::size_t largestFile(CardFile file) {
    return kFrameBytes + kindOf(file).largestBody;
}

CardFiles encodeCard(const CardMeasurement& m) {
    std::string smb;
    putText(smb, m.header.modelName, kModelBytes);
    putText(smb, m.header.firmwareText, kFirmwareBytes);
    putText(smb, m.header.date, kDateBytes);
    putPoints(smb, m.measured);
    std::string res;
    putPoints(res, m.evaluation);
    std::string csv;
    for (std::size_t i = 0; i < m.results.size(); ++i) csv += (i > 0 ? "," : "") + m.results[i];
    csv += '\r';

    CardFiles files;
    files[CardFile::Smb] = framed(CardFile::Smb, smb);
    files[CardFile::Rcb] = framed(CardFile::Rcb, m.conditionRecord);
    files[CardFile::Res] = framed(CardFile::Res, res);
    files[CardFile::Csv] = framed(CardFile::Csv, csv);
    return files;
}

CardRead decodeCard(const CardFiles& files, const std::string& stem) {
    return Decoder(files, stem).decode();
}

}  // namespace kt520::card
