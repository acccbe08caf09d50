// Feeds arbitrary bytes to the language-file reader and checks what every
// reading must give: only known keys, the language code taken from "X:",
// UTF-8 values without line endings.
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lang/LanguageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kt520::lang;
    const LanguageFile file =
        parseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!file.found) std::abort();
    for (const auto& [key, value] : file.values) {
        if (findCaptionKey(key) == nullptr) std::abort();
        if (value.find_first_of("\r\n") != std::string::npos) std::abort();
        if (!QByteArrayView(value.data(), static_cast<qsizetype>(value.size())).isValidUtf8()) {
            std::abort();
        }
    }
    const auto code = file.values.find('X');
    if (file.languageCode != (code == file.values.end() ? std::string() : code->second)) {
        std::abort();
    }
    return 0;
}
