#pragma once
// Fetching one profile from the instrument, block by block ("RDDTB00"), with
// the progress bar showing how far it has come.
#include <string>

#include "link/InstrumentLink.h"
#include "measurement/ProfileData.h"
#include "ui/Controls.h"

namespace kt520::measurement {

// Clears the output lines and fills them with the points of every block until
// the instrument answers "NG" (no more blocks), `runMode` becomes "WRSTP" (the
// operator stopped, or a block failed), or nothing came back. The bar shows
// 0..expectedPoints while it runs and is hidden at the end; the line is back
// in text mode afterwards whatever happened.
void transferProfile(link::InstrumentLink& link, ui::ProgressBar& progressBar, ProfileData& data,
                     std::string& runMode, int expectedPoints);

}  // namespace kt520::measurement
