#pragma once
// The measurements in a card's folder: reading the one whose ".SMB" file the
// operator chose, with the files beside it (their names matched without
// regard to case, as a card's file system has them), and saving one as the
// instrument saves it, under the next free name.
#include <filesystem>
#include <string>

#include "card/CardMeasurement.h"

namespace kt520::card {

// The measurement whose .SMB file is `smbFile`, or the first thing wrong
// with it (a folder or file that cannot be read at all is DriveUnreadable).
[[nodiscard]] CardRead readCardMeasurement(const std::filesystem::path& smbFile);

struct Saved {
    std::filesystem::path smbFile;  // empty when the measurement could not be saved
    std::string error;              // why not
};

// Writes the measurement into `folder` as KT000001.SMB and its three
// companions, the number one above the highest there; the .SMB goes last,
// so that a measurement that can be chosen is whole.
[[nodiscard]] Saved saveToCard(const std::filesystem::path& folder,
                               const CardMeasurement& measurement);

}  // namespace kt520::card
