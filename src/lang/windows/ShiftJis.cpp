#include "lang/ShiftJis.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <limits>

namespace kt520::lang {
namespace {

constexpr UINT kCodePage = 932;

}  // namespace

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) {
    if (!IsValidCodePage(kCodePage)) return std::nullopt;
    if (bytes.empty()) return std::string();
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    // Without MB_ERR_INVALID_CHARS the system puts its substitute character
    // in place of a byte that is no Shift-JIS and goes on.
    const int wideSize = MultiByteToWideChar(kCodePage, 0, bytes.data(), size, nullptr, 0);
    if (wideSize <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(kCodePage, 0, bytes.data(), size, wide.data(), wideSize);
    const int textSize =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (textSize <= 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(textSize), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, text.data(), textSize, nullptr, nullptr);
    return text;
}

}  // namespace kt520::lang
