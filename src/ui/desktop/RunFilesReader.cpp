#include "ui/desktop/RunFilesReader.h"

#include <QDir>
#include <QFile>
#include <charconv>
#include <string>

namespace kt520::ui::desktop {
namespace {

std::vector<QString> readLines(const QString& path) {
    QFile file(path);
    std::vector<QString> lines;
    if (!file.open(QIODevice::ReadOnly)) return lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty()) lines.push_back(QString::fromUtf8(trimmed));
    }
    return lines;
}

// The leading number of a text, whatever the locale.
std::optional<double> leadingNumber(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    double value = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc{} || end == s.data()) return std::nullopt;
    return value;
}

std::vector<double> readHeights(const QString& path) {
    std::vector<double> heights;
    for (const QString& line : readLines(path))
        if (auto value = leadingNumber(line)) heights.push_back(*value);
    return heights;
}

// "0.5um" or "19.7uinch" as millimetres.
std::optional<double> pitchInMillimetres(const QString& text) {
    const auto value = leadingNumber(text);
    if (!value || *value <= 0) return std::nullopt;
    if (text.trimmed().endsWith("uinch")) return *value * 25.4e-6;
    if (text.trimmed().endsWith("um")) return *value * 1e-3;
    return std::nullopt;
}

}  // namespace

RunFilesView readRunFiles(const QString& dataFolder, bool inchByDefault) {
    const QDir folder(dataFolder);
    RunFilesView view;
    view.inch = inchByDefault;
    view.measured = readHeights(folder.filePath("Measured.csv"));
    view.evaluation = readHeights(folder.filePath("Evaluation.csv"));
    view.results = readLines(folder.filePath("Parameter.csv"));
    view.conditions = readLines(folder.filePath("Condition.csv"));
    for (const QString& line : view.conditions) {
        if (line.startsWith("UNT ")) view.inch = line.mid(4).trimmed() == "inch";
        if (line.startsWith("STP ")) view.pitchMm = pitchInMillimetres(line.mid(4));
    }
    for (const char* name : kRunFileNames)
        if (folder.exists(name)) view.files.push_back(folder.filePath(name));
    return view;
}

std::vector<QPointF> traversePoints(const std::vector<double>& heights,
                                    std::optional<double> pitchMm, bool inch) {
    const double step = pitchMm ? (inch ? *pitchMm / 25.4 : *pitchMm) : 1.0;
    std::vector<QPointF> points;
    points.reserve(heights.size());
    for (size_t i = 0; i < heights.size(); ++i)
        points.emplace_back(static_cast<double>(i) * step, heights[i]);
    return points;
}

}  // namespace kt520::ui::desktop
