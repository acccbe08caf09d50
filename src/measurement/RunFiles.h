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
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kt520::measurement {

class RunFiles {
  public:
    // A later file of the same name replaces the earlier one.
    void stage(const std::string& fileName, std::string bytes);
    // The old file of this name goes when the others are published, so that
    // the folder holds no file of an earlier run beside this run's.
    void stageRemoval(const std::string& fileName);
    bool empty() const { return staged_.empty(); }
    // The files that will be written (not those removed).
    std::vector<std::string> names() const;
    // The text staged under `fileName`, or null.
    const std::string* staged(const std::string& fileName) const;

    // Writes every staged file into `folder`. When any cannot be written,
    // none replaces its old file. Empty on success, else why it failed. The
    // stage is empty afterwards either way.
    [[nodiscard]] std::string publish(const std::filesystem::path& folder);
    void discard() { staged_.clear(); }

  private:
    // A file's bytes, or none for a removal.
    std::vector<std::pair<std::string, std::optional<std::string>>> staged_;
};

}  // namespace kt520::measurement
