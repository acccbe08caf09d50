#pragma once
// Reads back the files a run left in the data folder, for the plots and the
// results table. Only reads; what the files hold is the run's business.
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

namespace kt520::ui::desktop {

struct RunFilesView {
    bool inch = false;
    std::optional<double> pitchMm;  // sampling pitch, from the condition listing
    std::vector<double> measured;
    std::vector<double> evaluation;
    std::vector<QString> results;     // Parameter.csv, one field a line
    std::vector<QString> conditions;  // Condition.csv as written
    std::vector<QString> files;       // full paths of the files found
};

inline constexpr const char* kRunFileNames[] = {"Measured.csv", "Evaluation.csv", "Parameter.csv",
                                                "Condition.csv"};

// `inchByDefault` stands when Condition.csv names no unit.
RunFilesView readRunFiles(const QString& dataFolder, bool inchByDefault);

// The heights as points over the traverse: x in mm (or inch) when the pitch
// is known, the point number otherwise.
std::vector<QPointF> traversePoints(const std::vector<double>& heights,
                                    std::optional<double> pitchMm, bool inch);

}  // namespace kt520::ui::desktop
