#include "measurement/ProfileData.h"

#include "measurement/RunFiles.h"

namespace kt520::measurement {

void ProfileData::clearOutputLines() {
    pointCount = 0;
    outputLines.assign(kCapacity + 1, std::string());
}

bool ProfileData::appendPoint(std::string text) {
    if (pointCount >= kCapacity) return false;
    outputLines[static_cast<std::size_t>(++pointCount)] = std::move(text);
    return true;
}

std::string ProfileData::outputFileText() {
    std::string text;
    linesWritten = 0;
    for (std::size_t i = 1; i < outputLines.size() && !outputLines[i].empty(); ++i) {
        text += outputLines[i];
        text += "\r\n";
        linesWritten = static_cast<int>(i);
    }
    return text;
}

void writeOutputFile(ProfileData& data, RunFiles& files) {
    files.stage(data.outputFileName, data.outputFileText());
}

}  // namespace kt520::measurement
