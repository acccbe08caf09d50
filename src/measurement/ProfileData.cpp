#include "measurement/ProfileData.h"

#include "measurement/RunFiles.h"

namespace kt520::measurement {

void ProfileData::clearOutputLines() {
    pointCount = 0;
    outputLines.assign(kCapacity + 1, std::string());
}

QByteArray ProfileData::outputFileText() {
    QByteArray text;
    linesWritten = 0;
    for (std::size_t i = 1; i < outputLines.size() && !outputLines[i].empty(); ++i) {
        text.append(outputLines[i].data(), static_cast<qsizetype>(outputLines[i].size()));
        text.append("\r\n");
        linesWritten = static_cast<int>(i);
    }
    return text;
}

std::string writeOutputFile(ProfileData& data, const std::filesystem::path& folder) {
    return writeWholeFile(folder / data.outputFileName, data.outputFileText());
}

void writeOutputFile(ProfileData& data, RunFiles& files) {
    files.stage(data.outputFileName, data.outputFileText());
}

}  // namespace kt520::measurement
