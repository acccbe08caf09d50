#include "lang/LanguageFile.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>

namespace kt520::lang {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Japanese Windows writes its text files in code page 932; the ICU codec
// behind QStringDecoder knows it under this name.
constexpr const char* kShiftJisCodec = "Shift_JIS";

// Decodes text as Shift-JIS. Should the codec be missing from the Qt build,
// the bytes are read as Latin-1, so that ASCII captions and the language code
// still come through and nothing fails.
QString decodeShiftJis(std::string_view bytes, TextEncoding& encoding) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder decoder(kShiftJisCodec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        encoding = TextEncoding::Latin1;
        return QString::fromLatin1(view);
    }
    encoding = TextEncoding::ShiftJis;
    return decoder.decode(view);
}

void applyLine(QStringView line, LanguageFile& file) {
    if (line.size() < 2 || line[1] != u':') return;
    const char16_t letter = line[0].unicode();
    if (letter < u'A' || letter > u'Y') return;
    std::string value = line.mid(2).toUtf8().toStdString();
    const auto key = static_cast<char>(letter);
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
    QString text;
    if (QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()) {
        if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
        text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } else {
        text = decodeShiftJis(bytes, file.encoding);
    }
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        applyLine(QStringView(text).mid(start, end - start), file);
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
    return file;
}

LanguageFile readLanguageFile(const std::string& path) {
    QFile input(QString::fromStdString(path));
    if (!input.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) return {};
    return parseLanguageFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace kt520::lang
