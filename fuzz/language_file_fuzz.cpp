// Feeds arbitrary bytes to the language-file reader and checks what every
// reading must give: only known keys, the language code taken from "X:",
// UTF-8 values without line endings.
#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lang/LanguageFile.h"

namespace {

// The system's own converter as the second opinion on well-formed UTF-8.
bool convertsFromUtf8(const std::string& text) {
    static const iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string in = text;
    std::vector<char> out(4 * text.size() + 4);
    char* from = in.data();
    std::size_t fromLeft = in.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    return iconv(converter, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kt520::lang;
    const LanguageFile file =
        parseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!file.found) std::abort();
    for (const auto& [key, value] : file.values) {
        if (findCaptionKey(key) == nullptr) std::abort();
        if (value.find_first_of("\r\n") != std::string::npos) std::abort();
        if (!convertsFromUtf8(value)) std::abort();
    }
    const auto code = file.values.find('X');
    if (file.languageCode != (code == file.values.end() ? std::string() : code->second)) {
        std::abort();
    }
    return 0;
}
