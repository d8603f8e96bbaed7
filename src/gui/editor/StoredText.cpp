// Conversion between the store's bytes and Qt strings.
#include "editor/StoredText.h"

#include "editor/Utf8.h"

namespace quinkle {

QString DecodeStoredText(std::string_view bytes, Charset charset) {
    if (charset != Charset::Utf8) return QString::fromStdString(DecodeForDisplay(charset, bytes));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        char32_t code;
        size_t length = DecodeUtf8(bytes.data() + i, bytes.size() - i, code);
        if (length == 0) {
            code = Windows1252ToUnicode(static_cast<unsigned char>(bytes[i]));
            length = 1;
        }
        if (QChar::requiresSurrogates(code)) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(static_cast<char16_t>(code));
        }
        i += length;
    }
    return text;
}

std::string EncodeStoredText(const QString& text, Charset charset) {
    const QByteArray utf8 = text.toUtf8();
    if (charset == Charset::Utf8) return utf8.toStdString();
    return EncodeTyped(charset, std::string_view(utf8.constData(), size_t(utf8.size())));
}

}  // namespace quinkle
