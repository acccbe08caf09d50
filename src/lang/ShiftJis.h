#pragma once
// Shift-JIS text (code page 932, as Japanese Windows writes its text files)
// to UTF-8, through the system's own converter: the code-page conversion on
// Windows (lang/windows/), iconv elsewhere (lang/posix/).
#include <optional>
#include <string>
#include <string_view>

namespace kt520::lang {

// The bytes as UTF-8. A byte that starts no Shift-JIS character, or a lead
// byte the text ends after, becomes one substitute character and the text
// goes on after it. Nothing when this system has no converter for the code
// page.
[[nodiscard]] std::optional<std::string> shiftJisToUtf8(std::string_view bytes);

}  // namespace kt520::lang
