#include "lang/LanguageFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "lang/ShiftJis.h"

namespace kt520::lang {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether the bytes are well-formed UTF-8: no stray continuation byte, no
// over-long form, no surrogate, nothing past U+10FFFF.
bool isValidUtf8(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The sequence's length, the bits of the lead byte it keeps, and the
        // least code point it may carry.
        struct Form {
            std::size_t length;
            unsigned char bits;
            char32_t least;
        };
        Form form{};
        if (lead >= 0xC2 && lead < 0xE0) {
            form = {2, 0x1F, 0x80};
        } else if (lead >= 0xE0 && lead < 0xF0) {
            form = {3, 0x0F, 0x800};
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            form = {4, 0x07, 0x10000};
        } else {
            return false;
        }
        if (bytes.size() - at < form.length) return false;
        char32_t code = lead & form.bits;
        for (std::size_t k = 1; k < form.length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[at + k]);
            if ((next & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < form.least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        at += form.length;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// The file's text as UTF-8, and how it was read. Should the system have no
// Shift-JIS converter, the bytes are read as Latin-1, so that ASCII captions
// and the language code still come through and nothing fails.
std::string decode(std::string_view bytes, TextEncoding& encoding) {
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
        encoding = TextEncoding::Utf8;
        return std::string(bytes);
    }
    if (std::optional<std::string> text = shiftJisToUtf8(bytes)) {
        encoding = TextEncoding::ShiftJis;
        return std::move(*text);
    }
    encoding = TextEncoding::Latin1;
    return latin1ToUtf8(bytes);
}

// The key and ":" are ASCII, which in UTF-8 never stands inside another
// character, so the line is looked at byte by byte.
void applyLine(std::string_view line, LanguageFile& file) {
    if (line.size() < 2 || line[1] != ':') return;
    const char key = line[0];
    if (key < 'A' || key > 'Y') return;
    std::string value(line.substr(2));
    if (key == 'X') file.languageCode = value;
    file.values[key] = std::move(value);
}

}  // namespace

const CaptionKey* findCaptionKey(char key) {
    for (const CaptionKey& entry : kCaptionKeys) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

LanguageFile parseLanguageFile(std::string_view bytes) {
    LanguageFile file;
    file.found = true;
    const std::string text = decode(bytes, file.encoding);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        applyLine(std::string_view(text).substr(start, end - start), file);
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return file;
}

LanguageFile readLanguageFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::ifstream input(path, std::ios::binary);
    if (!input) return {};
    const std::string bytes{std::istreambuf_iterator<char>(input),
                            std::istreambuf_iterator<char>()};
    return parseLanguageFile(bytes);
}

}  // namespace kt520::lang
