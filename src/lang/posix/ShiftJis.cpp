#include "lang/ShiftJis.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>

namespace kt520::lang {
namespace {

// The code page's name for glibc's iconv: Microsoft's variant of Shift-JIS,
// with the vendor characters Japanese Windows writes.
constexpr const char* kCodePage = "CP932";
constexpr std::string_view kSubstitute = "\xEF\xBF\xBD";  // U+FFFD

struct Closer {
    void operator()(void* converter) const { iconv_close(static_cast<iconv_t>(converter)); }
};

}  // namespace

std::optional<std::string> shiftJisToUtf8(std::string_view bytes) {
    const iconv_t opened = iconv_open("UTF-8", kCodePage);
    if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, Closer> converter(opened);

    std::string text;
    // iconv's signature is not const-correct; it only reads the input.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::array<char, 4096> buffer;
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const bool stopped =
            iconv(opened, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
        text.append(buffer.data(), out);
        if (!stopped || errno == E2BIG) continue;
        // EILSEQ: a byte that starts no character; EINVAL: the text ends
        // inside one. Either way that byte alone is lost.
        text += kSubstitute;
        ++in;
        --inLeft;
    }
    return text;
}

}  // namespace kt520::lang
