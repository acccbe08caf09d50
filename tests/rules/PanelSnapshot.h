#pragma once
// The whole condition panel packed into one byte string: cheap to take and to
// compare thousands of times; unpacked into readable lines only when two
// states differ.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ui/MainWindowModel.h"

namespace kt520::testing {

using PanelSnapshot = std::string;

namespace snapshot_detail {

template <typename T>
void put(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

template <typename T>
T take(std::string_view& in) {
    T value{};
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return value;
}

inline void putText(std::string& out, std::string_view text) {
    put(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

inline std::string_view takeText(std::string_view& in) {
    const auto size = take<std::uint32_t>(in);
    const std::string_view text = in.substr(0, size);
    in.remove_prefix(size);
    return text;
}

inline void putControl(std::string& out, std::string_view name, int index, const ui::Control& c,
                       bool selected, std::string_view text) {
    putText(out, name);
    put(out, index);
    put(out,
        static_cast<std::uint8_t>((c.enabled ? 1 : 0) | (c.visible ? 2 : 0) | (selected ? 4 : 0)));
    put(out, c.foreColour);
    put(out, c.backColour);
    putText(out, c.caption);
    putText(out, text);
}

// One control of a packed snapshot as a line of text, moving past it.
inline std::string takeLine(std::string_view& in) {
    const std::string_view name = takeText(in);
    const int index = take<int>(in);
    const auto flags = take<std::uint8_t>(in);
    const auto fore = take<ui::Colour>(in);
    const auto back = take<ui::Colour>(in);
    const std::string_view caption = takeText(in);
    const std::string_view text = takeText(in);
    return std::string(name) + "(" + std::to_string(index) + ") " + ((flags & 1) ? "on" : "off") +
           ((flags & 2) ? "" : " hidden") + ((flags & 4) ? " selected" : "") +
           " fore=" + std::to_string(fore) + " back=" + std::to_string(back) + " caption=\"" +
           std::string(caption) + "\" text=\"" + std::string(text) + "\"";
}

}  // namespace snapshot_detail

inline PanelSnapshot panelSnapshot(ui::MainWindowModel& w) {
    using snapshot_detail::putControl;
    PanelSnapshot out;
    out.reserve(8192);
    for (int i = w.frmLAN.first(); i <= w.frmLAN.last(); ++i)
        putControl(out, "frmLAN", i, w.frmLAN[i], false, {});
    for (ui::OptionArray* array : w.optionArrays()) {
        for (int i : array->indexes()) {
            const ui::OptionButton& b = (*array)[i];
            putControl(out, array->name(), i, b, b.selected, {});
        }
    }
    putControl(out, "txtLENG", 0, w.txtLENG, false, w.txtLENG.text);
    for (int i = w.txtALEN.first(); i <= w.txtALEN.last(); ++i)
        putControl(out, "txtALEN", i, w.txtALEN[i], false, w.txtALEN[i].text);
    putControl(out, "chkKTM", 0, w.chkKTM, false, {});
    const ui::Control none;
    putControl(out, "fstrSPD_LIMIT", 0, none, false, w.fstrSPD_LIMIT);
    putControl(out, "fstrCUT_LOCK", 0, none, false, w.fstrCUT_LOCK);
    return out;
}

// The controls whose state in `after` differs from `before`, as text.
inline std::vector<std::string> changedLines(const PanelSnapshot& before,
                                             const PanelSnapshot& after) {
    std::vector<std::string> changed;
    if (before == after) return changed;
    std::string_view a = before;
    std::string_view b = after;
    while (!b.empty()) {
        std::string lineBefore = a.empty() ? std::string() : snapshot_detail::takeLine(a);
        std::string lineAfter = snapshot_detail::takeLine(b);
        if (lineBefore != lineAfter) changed.push_back(std::move(lineAfter));
    }
    return changed;
}

}  // namespace kt520::testing
