#include "measurement/RunFiles.h"

#include <system_error>

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace kt520::measurement {
namespace {

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

std::string failure(const std::filesystem::path& path, const QString& reason) {
    return path.filename().string() + ": " + reason.toStdString();
}

// Where a file waits, written in full, until it is renamed over its target.
std::filesystem::path besideTarget(const std::filesystem::path& target) {
    std::filesystem::path beside = target;
    beside += ".new";
    return beside;
}

std::string writeBeside(const std::filesystem::path& target, const QByteArray& bytes) {
    QFile file(qtPath(besideTarget(target)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return failure(target, file.errorString());
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const QString reason = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(file.fileName());
        return failure(target, reason);
    }
    return {};
}

}  // namespace

std::string writeWholeFile(const std::filesystem::path& path, const QByteArray& bytes) {
    QSaveFile file(qtPath(path));
    if (!file.open(QIODevice::WriteOnly)) return failure(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const std::string reason = failure(path, file.errorString());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return failure(path, file.errorString());
    return {};
}

void RunFiles::stage(const std::string& fileName, QByteArray bytes) {
    for (auto& [name, staged] : staged_) {
        if (name == fileName) {
            staged = std::move(bytes);
            return;
        }
    }
    staged_.emplace_back(fileName, std::move(bytes));
}

std::vector<std::string> RunFiles::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : staged_) names.push_back(entry.first);
    return names;
}

std::string RunFiles::publish(const std::filesystem::path& folder) {
    auto staged = std::move(staged_);
    staged_.clear();
    std::string reason;
    for (const auto& [name, bytes] : staged) {
        reason = writeBeside(folder / name, bytes);
        if (!reason.empty()) break;
    }
    if (reason.empty()) {
        for (const auto& [name, bytes] : staged) {
            std::error_code error;
            std::filesystem::rename(besideTarget(folder / name), folder / name, error);
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
