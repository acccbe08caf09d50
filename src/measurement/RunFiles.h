#pragma once
// The data files of one measurement run, held back until the run has ended.
//
// A run that loses the line halfway must not leave a mix of new and old files
// in the data folder, so the run stages every file here and publishes them
// together at its end: each is first written completely beside its target,
// and only when all are written are they renamed over the old ones. A run
// that is abandoned discards what it staged; the previous files stay as they
// were, byte for byte.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace kt520::measurement {

// How a staged file takes the place of the old one. Windows refuses to rename
// over (or remove) a file that another program holds open, a spreadsheet
// showing it or a virus scanner reading it, so a refused step is tried again
// every `pause` until `patience` has passed. The event loop waits meanwhile,
// which happens only while something holds a file.
struct Replacement {
    using Rename = std::function<void(const std::filesystem::path& from,
                                      const std::filesystem::path& to, std::error_code& error)>;
    Rename rename = [](const std::filesystem::path& from, const std::filesystem::path& to,
                       std::error_code& error) { std::filesystem::rename(from, to, error); };
    std::chrono::milliseconds pause{100};
    std::chrono::milliseconds patience{2000};
};

class RunFiles {
  public:
    RunFiles() = default;
    explicit RunFiles(Replacement replacement) : replacement_(std::move(replacement)) {}

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
    // none replaces its old file. Empty on success, else why it failed (for
    // an old file that stayed held open, which one and for how long it was
    // tried). The stage is empty afterwards either way.
    [[nodiscard]] std::string publish(const std::filesystem::path& folder);
    void discard() { staged_.clear(); }

  private:
    // Renames `name`'s staged file over the old one, or removes the old one;
    // empty on success, else why it failed.
    std::string replace(const std::filesystem::path& folder, const std::string& name,
                        bool removal) const;

    Replacement replacement_;
    // A file's bytes, or none for a removal.
    std::vector<std::pair<std::string, std::optional<std::string>>> staged_;
};

}  // namespace kt520::measurement
