#pragma once
// The data files of one measurement run, held back until the run has ended.
//
// A run that loses the line halfway must not leave a mix of new and old files
// in the data folder, so the run stages every file here and publishes them
// together at its end: each is first written completely beside its target,
// and only when all are written are they renamed over the old ones. A run
// that is abandoned discards what it staged; the previous files stay as they
// were, byte for byte.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>

namespace kt520::measurement {

// Writes `bytes` to `path` whole or not at all: beside the old file, then
// renamed over it. Empty on success, else why it failed.
std::string writeWholeFile(const std::filesystem::path& path, const QByteArray& bytes);

class RunFiles {
  public:
    // A later file of the same name replaces the earlier one.
    void stage(const std::string& fileName, QByteArray bytes);
    bool empty() const { return staged_.empty(); }
    std::vector<std::string> fileNames() const;

    // Writes every staged file into `folder`. When any cannot be written, none
    // replaces its old file. Empty on success, else why it failed. The stage
    // is empty afterwards either way.
    std::string publish(const std::filesystem::path& folder);
    void discard() { staged_.clear(); }

  private:
    std::vector<std::pair<std::string, QByteArray>> staged_;
};

}  // namespace kt520::measurement
