#include "measurement/ProfileTransfer.h"

namespace kt520::measurement {

void transferProfile(link::InstrumentLink& link, ui::ProgressBar& progressBar, ProfileData& data,
                     std::string& runMode, int expectedPoints) {
    link.setByteMode();
    data.clearOutputLines();
    progressBar.min = 0;
    progressBar.max = expectedPoints;
    progressBar.value = 0;
    progressBar.visible = true;

    for (;;) {
        link.sendCommand("RDDTB00");
        progressBar.value = data.pointCount;
        link.readBlock(data.outputLines, data.pointCount, runMode);
        // An empty head means no block came at all; asking again would only
        // wait for the same silence.
        if (link.blockHead.empty() || link.blockHead.starts_with("NG")) break;
        if (runMode == "WRSTP") break;
    }

    progressBar.visible = false;
    link.setTextMode();
}

}  // namespace kt520::measurement
