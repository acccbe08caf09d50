#pragma once
// Colours as the window models hold them: 0x00BBGGRR, or 0x80000000 | n for
// the system colour n.
#include <cstdint>

namespace kt520::ui {

using Colour = std::uint32_t;

inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kHighlightText = 0x8000000E;     // system colour 14
inline constexpr Colour kOptionBackground = 0x00C00000;  // dark blue
inline constexpr Colour kWindowText = 0x80000012;        // system colour 18 (button text)
inline constexpr Colour kWindowBackground = 0x80000005;  // system colour 5

inline constexpr bool isSystemColour(Colour c) {
    return (c & 0x80000000u) != 0;
}

}  // namespace kt520::ui
