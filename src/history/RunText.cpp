#include "history/RunText.h"

#include <QDateTime>
#include <QSaveFile>
#include <map>

#include "analysis/ParameterText.h"

namespace kt520::history {

QString timeText(std::chrono::system_clock::time_point at) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

std::chrono::system_clock::time_point parseTime(const QString& text) {
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return std::chrono::system_clock::time_point(
        std::chrono::milliseconds(time.toMSecsSinceEpoch()));
}

QString localTimeText(std::chrono::system_clock::time_point at) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms).toString("yyyy-MM-dd HH:mm:ss");
}

std::string historyCsv(const std::vector<RunSummary>& runs,
                       const std::vector<AnalysisRow>& analysis) {
    std::vector<std::string> header{"id",       "finished_at", "part",     "lot",
                                    "operator", "model",       "firmware", "verdict"};
    std::map<std::string, std::size_t> column;  // parameter name -> its column
    std::map<RunId, std::map<std::size_t, double>> values;
    for (const AnalysisRow& row : analysis) {
        auto [at, added] = column.emplace(row.name, header.size());
        if (added) header.push_back(row.unit.empty() ? row.name : row.name + " [" + row.unit + "]");
        if (row.value) values[row.run][at->second] = *row.value;
    }
    std::string out = analysis::csvRow(header) + "\r\n";
    for (const RunSummary& run : runs) {
        std::vector<std::string> fields{std::to_string(run.id),
                                        timeText(run.finishedAt).toStdString(),
                                        run.part,
                                        run.lot,
                                        run.operatorName,
                                        run.model,
                                        run.firmware,
                                        quality::verdictWord(run.verdict)};
        fields.resize(header.size());
        for (const auto& [at, value] : values[run.id]) fields[at] = analysis::decimalText(value);
        out += analysis::csvRow(fields) + "\r\n";
    }
    return out;
}

std::string profilesCsv(const StoredRun& run) {
    const std::string unit = run.inch ? "uinch" : "um";
    std::string out = "point,measured [" + unit + "],evaluation [" + unit + "]\r\n";
    const std::size_t rows = std::max(run.measured.size(), run.evaluation.size());
    for (std::size_t i = 0; i < rows; ++i) {
        out += std::to_string(i + 1) + ",";
        if (i < run.measured.size()) out += analysis::decimalText(run.measured[i]);
        out += ",";
        if (i < run.evaluation.size()) out += analysis::decimalText(run.evaluation[i]);
        out += "\r\n";
    }
    return out;
}

bool writeWhole(const QString& path, const std::string& text, std::string& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace kt520::history
