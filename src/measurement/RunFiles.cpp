#include "measurement/RunFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <thread>

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

std::string RunFiles::replace(const std::filesystem::path& folder, const std::string& name,
                              bool removal) const {
    const std::filesystem::path target = folder / name;
    const auto deadline = std::chrono::steady_clock::now() + replacement_.patience;
    std::error_code error;
    while (true) {
        error.clear();
        if (removal) {
            std::filesystem::remove(target, error);
        } else {
            replacement_.rename(besideTarget(target), target, error);
        }
        if (!error) return {};
        if (std::chrono::steady_clock::now() + replacement_.pause > deadline) break;
        std::this_thread::sleep_for(replacement_.pause);
    }
    return name + ": " + error.message() + " (not replaced within " +
           std::to_string(replacement_.patience.count()) + " ms: is it open in another program?)";
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
            std::string failed = replace(folder, name, !bytes);
            if (reason.empty()) reason = std::move(failed);
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
