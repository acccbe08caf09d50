#include "measurement/ResultReader.h"

namespace kt520::measurement {

void readResults(link::InstrumentLink& link, ui::ListBox& statusList, ProfileData& data) {
    statusList.items.clear();
    link.sendCommand("RDRES00");
    if (link.bytesWaiting() < 1) return;
    link.readTextReply();
    const std::string& reply = link.replyText;

    std::string field;
    std::size_t k = 0;
    for (std::size_t i = 2; i < reply.size(); ++i) {
        const char c = reply[i];
        if (c != ',' && c != '\r') {
            field.push_back(c);
            continue;
        }
        ++k;
        statusList.items.push_back(field);
        if (k < data.outputLines.size()) data.outputLines[k] = field;
        field.clear();
        if (c == '\r') break;
    }
    if (reply.starts_with("NG")) statusList.items = {"No data"};
}

}  // namespace kt520::measurement
