#pragma once
// The output line list of a run: profile points while a transfer runs, then
// the lines of each data file before it is staged. Entries are numbered from
// 1; entry 0 is never used.
#include <cstdint>
#include <string>
#include <vector>

namespace kt520::measurement {

class RunFiles;

struct ProfileData {
    static constexpr int kCapacity = 30000;

    ProfileData() : outputLines(kCapacity + 1) {}

    std::vector<std::string> outputLines;
    std::int32_t pointCount = 0;
    std::string outputFileName;
    // Lines the last writeOutputFile wrote (the evaluation window's length in a run).
    int linesWritten = 0;

    // Point count 0 and every entry empty again.
    void clearOutputLines();
    // Appends one point as the next entry; false when the list is full.
    bool appendPoint(std::string text);
    // The file text: entries from 1 up to the first empty one, each ended by
    // CR LF. Records how many lines it holds in linesWritten.
    std::string outputFileText();
};

// Stages the list under its output file name, to be published with the run's other files.
void writeOutputFile(ProfileData& data, RunFiles& files);

}  // namespace kt520::measurement
