#pragma once
// The card dialog's browsing: the drives (the mount points on Linux, the
// drive roots on Windows), the folders to go to from the one shown, and its
// measurements, the "*.smb" files matched without regard to case. It fills
// the card form's three lists; what the operator picks comes back here.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/MainForm.h"

namespace kt520::app {

// The mounted file systems a card can be on: removable media first.
std::vector<std::string> mountedDrives();

class CardBrowser {
  public:
    using DriveList = std::function<std::vector<std::string>()>;
    explicit CardBrowser(ui::CardForm& form, DriveList drives = mountedDrives);

    // Shows `folder` (the line of "Folder.INI"); one that is no folder here
    // shows the first drive. False when what should be shown cannot be read.
    [[nodiscard]] bool open(const std::string& folder);
    // The operator's picks in the drive and folder lists. False when the
    // drive or folder cannot be read; the lists then stay as they were.
    [[nodiscard]] bool chooseDrive(int index);
    [[nodiscard]] bool chooseFolder(int index);

    const std::filesystem::path& folder() const { return folder_; }
    // The file picked in the file list, if any.
    std::optional<std::filesystem::path> chosenFile() const;

  private:
    bool show(const std::filesystem::path& folder);
    std::string driveOf(const std::filesystem::path& folder) const;

    ui::CardForm& form_;
    DriveList drives_;
    std::filesystem::path folder_;
};

}  // namespace kt520::app
