#include "measurement/DataFiles.h"

#include "profile/NumberText.h"

namespace kt520::measurement {
namespace {

constexpr float kMicroinchesPerMicrometre = 39.37f;

std::vector<double> values(const profile::TextList& list, int count) {
    std::vector<double> heights;
    heights.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        heights.push_back(profile::readValue(list[static_cast<std::size_t>(i)]));
    return heights;
}

void convertToMicroinches(ProfileData& data) {
    for (std::int32_t i = 1; i <= data.pointCount; ++i) {
        std::string& point = data.outputLines[static_cast<std::size_t>(i)];
        if (point.empty()) continue;
        point = profile::numberText(profile::readValue(point) * kMicroinchesPerMicrometre);
    }
}

}  // namespace

std::vector<std::string> resultFields(std::string_view text) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : text) {
        if (c != ',' && c != '\r') {
            field.push_back(c);
            continue;
        }
        fields.push_back(field);
        field.clear();
        if (c == '\r') break;
    }
    return fields;
}

ProfileHeights stageProfiles(profile::TextList measured, ProfileData& data,
                             const ProfileSettings& settings, RunFiles& files, RunRecord& record) {
    ProfileHeights heights;
    profile::replaceFirstChar(measured, ',', ".");
    heights.measuredUm = values(measured, static_cast<int>(measured.size()) - 1);

    profile::replaceFirstChar(data.outputLines, ',', ".");
    heights.evaluationUm = values(data.outputLines, data.pointCount);
    if (settings.inch) convertToMicroinches(data);
    data.outputFileName = "Evaluation.csv";
    writeOutputFile(data, files);
    const int evaluationPoints = data.linesWritten;
    record.evaluation = values(data.outputLines, evaluationPoints);

    profile::extractEvaluationWindow(settings.filterCode, measured, data.outputLines,
                                     evaluationPoints);
    if (settings.tiltCompensation) profile::tiltCorrect(data.outputLines, data.pointCount);
    if (settings.inch) convertToMicroinches(data);
    data.outputFileName = "Measured.csv";
    writeOutputFile(data, files);
    record.measured = values(data.outputLines, data.linesWritten);
    return heights;
}

void stageResults(const RunRecord& record, RunFiles& files) {
    if (record.resultsRefused) {
        files.stageRemoval("Parameter.csv");
        return;
    }
    std::string fields;
    for (const std::string& field : record.results) fields += field + "\r\n";
    files.stage("Parameter.csv", std::move(fields));
}

void stageConditions(ProfileData& data, const ListingSource& source, RunFiles& files,
                     RunRecord& record) {
    data.clearOutputLines();
    data.outputFileName = "Condition.csv";
    const std::vector<std::string> listing = conditionListingLines(source);
    std::size_t line = 0;
    const auto add = [&](const std::string& text) {
        if (++line < data.outputLines.size()) data.outputLines[line] = text;
    };
    for (std::size_t k = 1; k < source.conditions.fields.size(); ++k)
        add(source.conditions.fields[k]);
    for (const std::string& text : listing) add(text);
    writeOutputFile(data, files);
    record.conditions = source.conditions;
    record.listing = listing;
}

}  // namespace kt520::measurement
