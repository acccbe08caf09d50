#pragma once
// The main window's output line list: profile points while a transfer runs,
// then the lines of each data file before it is written.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <QByteArray>

namespace kt520::measurement {

class RunFiles;

struct ProfileData {
    static constexpr int kCapacity = 30000;

    ProfileData() : outputLines(kCapacity + 1) {}

    // Entries 1..kCapacity; entry 0 is never used.
    std::vector<std::string> outputLines;
    std::int32_t pointCount = 0;
    std::string outputFileName;
    // Lines the last writeOutputFile wrote (the evaluation window's length in a run).
    int linesWritten = 0;
    // The profile being transferred: 0 measured, 1 evaluation.
    int profileFlag = 0;

    // Point count 0 and every entry empty again.
    void clearOutputLines();
    // The file text: entries from 1 up to the first empty one, each ended by
    // CR LF. Records how many lines it holds in linesWritten.
    QByteArray outputFileText();
};

// Writes the list under its output file name into `folder`, whole or not at
// all (written beside the old file, then renamed over it). Empty on success,
// else why it failed.
std::string writeOutputFile(ProfileData& data, const std::filesystem::path& folder);
// The same into a run's staged files, published together at the run's end.
void writeOutputFile(ProfileData& data, RunFiles& files);

}  // namespace kt520::measurement
