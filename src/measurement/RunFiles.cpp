#include "measurement/RunFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kt520::measurement {
namespace {

// Where a file waits, written in full, until it is renamed over its target.
std::filesystem::path besideTarget(const std::filesystem::path& target) {
    std::filesystem::path beside = target;
    beside += ".new";
    return beside;
}

std::string writeBeside(const std::filesystem::path& target, const std::string& bytes) {
    const std::filesystem::path beside = besideTarget(target);
    errno = 0;
    std::ofstream file(beside, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.flush();
    const bool written = static_cast<bool>(file);
    const int error = errno;
    file.close();
    if (written && !file.fail()) return {};
    std::error_code ignored;
    std::filesystem::remove(beside, ignored);
    return target.filename().string() + ": " +
           (error != 0 ? std::strerror(error) : "cannot be written");
}

}  // namespace

void RunFiles::stage(const std::string& fileName, std::string bytes) {
    for (auto& [name, staged] : staged_) {
        if (name == fileName) {
            staged = std::move(bytes);
            return;
        }
    }
    staged_.emplace_back(fileName, std::move(bytes));
}

void RunFiles::stageRemoval(const std::string& fileName) {
    for (auto& [name, staged] : staged_) {
        if (name == fileName) {
            staged.reset();
            return;
        }
    }
    staged_.emplace_back(fileName, std::nullopt);
}

std::vector<std::string> RunFiles::names() const {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : staged_)
        if (bytes) names.push_back(name);
    return names;
}

const std::string* RunFiles::staged(const std::string& fileName) const {
    for (const auto& [name, bytes] : staged_)
        if (name == fileName && bytes) return &*bytes;
    return nullptr;
}

std::string RunFiles::publish(const std::filesystem::path& folder) {
    auto staged = std::move(staged_);
    staged_.clear();
    std::string reason;
    for (const auto& [name, bytes] : staged) {
        if (bytes) reason = writeBeside(folder / name, *bytes);
        if (!reason.empty()) break;
    }
    if (reason.empty()) {
        for (const auto& [name, bytes] : staged) {
            std::error_code error;
            if (bytes) {
                std::filesystem::rename(besideTarget(folder / name), folder / name, error);
            } else {
                std::filesystem::remove(folder / name, error);
            }
            if (error && reason.empty()) reason = name + ": " + error.message();
        }
    }
    // Whatever was not renamed must not linger beside the data files.
    for (const auto& [name, bytes] : staged) {
        std::error_code ignored;
        std::filesystem::remove(besideTarget(folder / name), ignored);
    }
    return reason;
}

}  // namespace kt520::measurement
