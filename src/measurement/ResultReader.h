#pragma once
// Reading the calculated parameters ("RDRES00") into the status list and the
// output line list. The fields are the instrument's; they stay text.
#include "link/InstrumentLink.h"
#include "measurement/ProfileData.h"
#include "ui/Controls.h"

namespace kt520::measurement {

// Field k of the reply becomes line k of `statusList` and entry k of the
// output line list. An error reply leaves "No data" in the status list (the
// fields already taken stay in the output lines). No answer: nothing changes.
void readResults(link::InstrumentLink& link, ui::ListBox& statusList, ProfileData& data);

}  // namespace kt520::measurement
