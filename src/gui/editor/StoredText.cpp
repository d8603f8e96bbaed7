// Conversion between the store's bytes and Qt strings.
#include "gui/editor/StoredText.h"

namespace quinkle {

QString DecodeStoredText(std::string_view bytes, Charset charset) {
    return QString::fromStdString(DecodeForDisplay(charset, bytes));
}

std::string EncodeStoredText(const QString& text, Charset charset) {
    const QByteArray utf8 = text.toUtf8();
    if (charset == Charset::Utf8) return utf8.toStdString();
    return EncodeTyped(charset, std::string_view(utf8.constData(), size_t(utf8.size())));
}

}  // namespace quinkle
