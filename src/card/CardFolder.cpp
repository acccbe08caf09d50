#include "card/CardFolder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "card/CardFormat.h"

namespace kt520::card {
namespace {

constexpr std::string_view kNamePrefix = "KT";
constexpr int kNumberDigits = 6;

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The file of `folder` named `name`, whatever the case of its letters.
std::optional<std::filesystem::path> findFile(const std::filesystem::path& folder,
                                              const std::string& name, std::error_code& error) {
    std::error_code absent;  // a name that is not there is no error here
    if (std::filesystem::is_regular_file(folder / name, absent)) return folder / name;
    const std::string wanted = upper(name);
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (upper(it->path().filename().string()) == wanted && it->is_regular_file(absent))
            return it->path();
    }
    return std::nullopt;
}

// At most `limit` bytes of the file; none when it cannot be read.
std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t limit) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes(limit, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(limit));
    if (file.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

// The number of a name "KT000123.SMB", or 0.
int numberOf(const std::filesystem::path& path) {
    const std::string name = upper(path.filename().string());
    if (name.size() != kNamePrefix.size() + kNumberDigits + 4 || !name.starts_with(kNamePrefix) ||
        !name.ends_with(".SMB"))
        return 0;
    int number = 0;
    for (std::size_t i = kNamePrefix.size(); i < kNamePrefix.size() + kNumberDigits; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::string writeFile(const std::filesystem::path& path, const std::string& bytes) {
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (file) return {};
    return path.filename().string() + ": " + (errno != 0 ? std::strerror(errno) : "not written");
}

}  // namespace

CardRead readCardMeasurement(const std::filesystem::path& smbFile) {
    const std::filesystem::path folder =
        smbFile.has_parent_path() ? smbFile.parent_path() : std::filesystem::path(".");
    const std::string stem = smbFile.stem().string();
    const auto unreadable = [&] {
        return CardRead{std::nullopt, {CardFault::DriveUnreadable, smbFile.filename().string()}};
    };
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return unreadable();

    CardFiles files;
    for (const CardFile kind : kCardFiles) {
        const std::string name =
            kind == CardFile::Smb ? smbFile.filename().string() : stem + extensionOf(kind);
        const std::optional<std::filesystem::path> path = findFile(folder, name, error);
        if (error) return unreadable();
        if (!path) continue;
        // One byte more than the largest file of its kind shows that it is longer.
        files[kind] = readUpTo(*path, largestFile(kind) + 1);
        if (!files[kind]) return unreadable();
    }
    return decodeCard(files, stem);
}

Saved saveToCard(const std::filesystem::path& folder, const CardMeasurement& measurement) {
    std::error_code error;
    int highest = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        highest = std::max(highest, numberOf(it->path()));
    if (error) return {{}, folder.string() + ": " + error.message()};

    std::string number = std::to_string(highest + 1);
    number.insert(0,
                  static_cast<std::size_t>(kNumberDigits) -
                      std::min<std::size_t>(number.size(), kNumberDigits),
                  '0');
    const std::string stem = std::string(kNamePrefix) + number;
    const CardFiles files = encodeCard(measurement);
    for (const CardFile kind : {CardFile::Rcb, CardFile::Res, CardFile::Csv, CardFile::Smb}) {
        const std::string problem = writeFile(folder / (stem + extensionOf(kind)), *files[kind]);
        if (!problem.empty()) return {{}, problem};
    }
    return {folder / (stem + ".SMB"), {}};
}

}  // namespace kt520::card
