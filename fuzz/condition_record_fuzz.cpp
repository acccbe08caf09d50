// Feeds arbitrary bytes as condition records. The first byte picks the
// firmware (long or short records); the rest is cut with the reply layout
// (behind its two leading characters) and with the card layout, and read back
// as a reply. Every cut must give one text per field, none wider than its
// field, and together exactly the record's characters in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionReader.h"
#include "lang/InternalFault.h"

namespace {

using namespace kt520;

void checkCut(const conditions::ConditionLayout& layout, std::string_view record, int leading) {
    const auto fields = layout.cut(record, leading);
    if (fields.size() != static_cast<std::size_t>(layout.fieldCount()) + 1) std::abort();
    if (!fields[0].empty()) std::abort();
    std::string joined;
    for (int k = 1; k <= layout.fieldCount(); ++k) {
        if (fields[static_cast<std::size_t>(k)].size() >
            static_cast<std::size_t>(layout.span(k).width)) {
            std::abort();
        }
        joined += fields[static_cast<std::size_t>(k)];
    }
    const std::string_view body =
        record.size() > static_cast<std::size_t>(leading) ? record.substr(leading) : "";
    if (joined != body.substr(0, static_cast<std::size_t>(layout.totalWidth()))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int romVersion = (data[0] & 1) != 0 ? 1103 : 1102;
    const std::string_view record(reinterpret_cast<const char*>(data + 1), size - 1);

    conditions::ConditionLayouts layouts;
    layouts.prepareConditionLayouts(romVersion);
    layouts.prepareCardLayout(romVersion);
    checkCut(layouts.reply, record, 2);
    checkCut(layouts.card, record, 0);

    try {
        const conditions::ConditionSet set = conditions::conditionsFromReply(record, layouts);
        for (int item = 0; item <= 68; ++item) {
            const int field = layouts.items.fieldOf(item);
            if (field < 0 || field > layouts.card.fieldCount()) std::abort();
            if (conditions::itemText(set, layouts.items, item).size() > 64) std::abort();
        }
    } catch (const lang::InternalFault&) {
        // An inch record with a pitch no table knows: the program would end here.
    }
    return 0;
}
