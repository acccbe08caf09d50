#include "analysis/ProfileFiles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace kt520::analysis {

namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::size_t kMostPoints = 10'000'000;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

// A whole text as one finite decimal number ("." as decimal point).
std::optional<double> number(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Splits on blanks, tabs and NUL characters.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    constexpr std::string_view separators(" \t\r\0", 4);
    std::size_t at = 0;
    while ((at = line.find_first_not_of(separators, at)) != std::string_view::npos) {
        const std::size_t end = line.find_first_of(separators, at);
        out.push_back(line.substr(at, end - at));
        if (end == std::string_view::npos) break;
        at = end;
    }
    return out;
}

// Lines with their 1-based numbers; "\r\n" and "\n" both end a line.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        const std::size_t end = text_.find('\n', at_);
        line =
            text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++number_;
        return true;
    }
    std::size_t number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t number_ = 0;
};

ProfileRead failure(std::size_t line, std::string message) {
    ProfileRead read;
    read.error = std::move(message);
    read.errorLine = line;
    return read;
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out(text.substr(0, kShown));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return "\"" + out + (text.size() > kShown ? "...\"" : "\"");
}

ProfileRead readText(std::string_view content) {
    ProfileRead read;
    Lines lines(content);
    std::string_view line;
    std::size_t blankSince = 0;  // a blank line is fine only after the last height
    while (lines.next(line)) {
        if (trimmed(line).empty()) {
            if (!blankSince) blankSince = lines.number();
            continue;
        }
        if (blankSince) return failure(blankSince, "blank line between heights");
        const std::optional<double> value = number(line);
        if (!value) return failure(lines.number(), quoted(line) + " is not a height");
        if (read.heightsUm.size() == kMostPoints) return failure(lines.number(), "too many points");
        read.heightsUm.push_back(*value);
    }
    if (read.heightsUm.empty()) return failure(0, "no heights in the file");
    return read;
}

// ISO 25178-71 (ASCII): a version line "a...", "Key = value" lines up to a
// line "*", the values separated by white space up to the next "*" (or the
// end), then an optional trailer.
ProfileRead readSdf(std::string_view content) {
    Lines lines(content);
    std::string_view line;
    if (!lines.next(line) || trimmed(line).empty()) return failure(1, "no SDF version line");
    const std::string_view version = trimmed(line);
    if (version.front() == 'b')
        return failure(1, "binary SDF files are not read; save it as ASCII");
    if (version.front() != 'a') return failure(1, quoted(version) + " is not an SDF version line");

    std::map<std::string, double> header;
    bool headerEnded = false;
    while (lines.next(line)) {
        const std::string_view text = trimmed(line);
        if (text == "*") {
            headerEnded = true;
            break;
        }
        if (text.empty()) continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return failure(lines.number(), quoted(text) + " is not \"Key = value\"");
        const std::string key = lowered(trimmed(text.substr(0, equals)));
        // ManufacID and the dates are text; every other key is a number.
        if (key == "manufacid" || key == "createdate" || key == "moddate") continue;
        const std::optional<double> value = number(text.substr(equals + 1));
        if (!value) return failure(lines.number(), "the value of " + key + " is not a number");
        header[key] = *value;
    }
    if (!headerEnded) return failure(lines.number(), "the header does not end with \"*\"");
    const auto need = [&](const char* key) -> std::optional<double> {
        const auto found = header.find(key);
        return found == header.end() ? std::nullopt : std::optional<double>(found->second);
    };
    const std::optional<double> points = need("numpoints");
    const std::optional<double> profiles = need("numprofiles");
    const std::optional<double> xscale = need("xscale");
    const std::optional<double> zscale = need("zscale");
    if (!points || !profiles || !xscale || !zscale)
        return failure(lines.number(), "the header lacks NumPoints, NumProfiles, Xscale or Zscale");
    if (*profiles != 1) return failure(lines.number(), "the file holds an area, not one profile");
    if (need("compression").value_or(0) != 0) return failure(lines.number(), "compressed data");
    if (!(*points >= 1 && *points <= static_cast<double>(kMostPoints)) || !(*xscale > 0) ||
        !std::isfinite(*xscale * 1e6) || *zscale == 0) {
        return failure(lines.number(), "NumPoints, Xscale or Zscale out of range");
    }

    ProfileRead read;
    read.spacingUm = *xscale * 1e6;
    const double toMicrometres = *zscale * 1e6;
    while (lines.next(line)) {
        if (trimmed(line) == "*") break;
        for (std::string_view field : fields(line)) {
            const std::optional<double> value = number(field);
            if (!value) return failure(lines.number(), quoted(field) + " is not a number");
            if (read.heightsUm.size() == static_cast<std::size_t>(*points))
                return failure(lines.number(), "more values than NumPoints");
            const double height = *value * toMicrometres;
            if (!std::isfinite(height))
                return failure(lines.number(), quoted(field) + " is out of range");
            read.heightsUm.push_back(height);
        }
    }
    if (read.heightsUm.size() != static_cast<std::size_t>(*points)) {
        return failure(lines.number(), std::to_string(read.heightsUm.size()) +
                                           " values where NumPoints says " +
                                           std::to_string(static_cast<std::size_t>(*points)));
    }
    return read;
}

std::optional<double> metresPerUnit(std::string_view unit) {
    const std::string u = lowered(unit);
    if (u == "m") return 1.0;
    if (u == "mm") return 1e-3;
    if (u == "um" || u == "\xC2\xB5m") return 1e-6;
    if (u == "nm") return 1e-9;
    return std::nullopt;
}

// One axis definition of an SMD header: "CX I n unit scale type [increment]".
struct Axis {
    bool incremental = false;
    std::size_t points = 0;
    double metres = 0;  // of one stored unit, scale included
    double increment = 0;
};

std::optional<Axis> axis(const std::vector<std::string_view>& f) {
    if (f.size() < 6) return std::nullopt;
    Axis a;
    a.incremental = f[1] == "I";
    if (!a.incremental && f[1] != "A") return std::nullopt;
    const std::optional<double> points = number(f[2]);
    const std::optional<double> unit = metresPerUnit(f[3]);
    const std::optional<double> scale = number(f[4]);
    if (!points || !unit || !scale || *points < 1 || *points > kMostPoints || *scale <= 0)
        return std::nullopt;
    a.points = static_cast<std::size_t>(*points);
    a.metres = *unit * *scale;
    if (a.incremental) {
        const std::optional<double> increment = f.size() > 6 ? number(f[6]) : std::nullopt;
        if (!increment || *increment <= 0) return std::nullopt;
        a.increment = *increment;
    }
    return a;
}

// ISO 5436-2: records (header, additional information, data, checksum)
// separated by ETX characters or "EOR" lines; the header's "CX" and "CZ"
// lines define the axes. With an incremental x axis every data line holds
// z; with an absolute one it holds x and z, and x must be evenly spaced.
ProfileRead readSmd(std::string_view content) {
    Lines lines(content);
    std::string_view line;
    int record = 1;
    std::optional<Axis> x, z;
    std::vector<double> xs;
    ProfileRead read;
    // One record's piece of a line: the header's axis lines, the data.
    const auto take = [&](std::string_view text) -> ProfileRead {
        if (record == 1) {
            const std::vector<std::string_view> f = fields(text);
            if (!f.empty() && (f[0] == "CX" || f[0] == "CZ")) {
                const std::optional<Axis> a = axis(f);
                if (!a) return failure(lines.number(), "bad axis definition " + quoted(text));
                (f[0] == "CX" ? x : z) = a;
            }
        } else if (record == 3 && !text.empty()) {
            if (!x || !z) return failure(lines.number(), "the header lacks its CX or CZ line");
            const std::vector<std::string_view> f = fields(text);
            const std::size_t wanted = x->incremental ? 1 : 2;
            if (f.size() != wanted)
                return failure(lines.number(), quoted(text) + (wanted == 1 ? " is not one z value"
                                                                           : " is not x and z"));
            const std::optional<double> zValue = number(f.back());
            const std::optional<double> xValue = wanted == 2 ? number(f[0]) : 0.0;
            if (!zValue || !xValue)
                return failure(lines.number(), quoted(text) + " is not a number");
            if (read.heightsUm.size() == z->points)
                return failure(lines.number(), "more values than the CZ line says");
            const double height = *zValue * z->metres * 1e6;
            const double position = *xValue * x->metres * 1e6;
            if (!std::isfinite(height) || !std::isfinite(position))
                return failure(lines.number(), quoted(text) + " is out of range");
            read.heightsUm.push_back(height);
            if (wanted == 2) xs.push_back(position);
        }
        return {};
    };
    while (record <= 3 && lines.next(line)) {
        // An ETX ends a record wherever it stands on a line; what follows it
        // belongs to the next record.
        for (std::string_view rest = line;;) {
            const std::size_t etx = rest.find('\x03');
            const std::string_view text = trimmed(rest.substr(0, etx));
            if (text != "EOR" && text != "EOF") {
                ProfileRead bad = take(text);
                if (!bad.ok()) return bad;
            }
            if (etx != std::string_view::npos || text == "EOR") ++record;
            if (etx == std::string_view::npos) break;
            rest.remove_prefix(etx + 1);
        }
    }
    if (!x || !z) return failure(lines.number(), "the header lacks its CX or CZ line");
    if (read.heightsUm.size() != z->points) {
        return failure(lines.number(), std::to_string(read.heightsUm.size()) +
                                           " values where the CZ line says " +
                                           std::to_string(z->points));
    }
    if (x->incremental) {
        read.spacingUm = x->increment * x->metres * 1e6;
        if (!std::isfinite(*read.spacingUm)) return failure(0, "the x increment is out of range");
    } else if (xs.size() >= 2) {
        const double step = (xs.back() - xs.front()) / static_cast<double>(xs.size() - 1);
        for (std::size_t i = 1; i < xs.size(); ++i) {
            if (!(std::fabs(xs[i] - xs[i - 1] - step) <= 1e-6 * std::fabs(step)) || step <= 0)
                return failure(0, "the x positions are not evenly spaced");
        }
        read.spacingUm = step;
    }
    return read;
}

}  // namespace

ProfileFormat formatOfFileName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string_view::npos ? "" : lowered(name.substr(dot));
    if (extension == ".sdf") return ProfileFormat::Sdf;
    if (extension == ".smd") return ProfileFormat::Smd;
    return ProfileFormat::Text;
}

ProfileRead readProfile(std::string_view content, ProfileFormat format) {
    switch (format) {
        case ProfileFormat::Sdf:
            return readSdf(content);
        case ProfileFormat::Smd:
            return readSmd(content);
        case ProfileFormat::Text:
            break;
    }
    return readText(content);
}

}  // namespace kt520::analysis
