// The engine's clipboard over the system clipboard, and the MIME forms of its formats.
#include "gui/editor/QtClipboard.h"

#include <QGuiApplication>

#include "gui/editor/StoredText.h"

namespace quinkle {
namespace {

const QString kRtf = QStringLiteral("text/rtf");
const QString kApplicationRtf = QStringLiteral("application/rtf");

}  // namespace

void PutClipFormat(QMimeData& data, ClipFormat format, const std::string& bytes, Charset charset) {
    switch (format) {
        case ClipFormat::Text:
            data.setText(DecodeStoredText(bytes, charset));
            break;
        case ClipFormat::Rtf:
            data.setData(kRtf, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
            break;
        case ClipFormat::Html:
            data.setHtml(DecodeStoredText(bytes, charset));
            break;
    }
}

bool HasClipFormat(const QMimeData& data, ClipFormat format) {
    switch (format) {
        case ClipFormat::Text:
            return data.hasText();
        case ClipFormat::Rtf:
            return data.hasFormat(kRtf) || data.hasFormat(kApplicationRtf);
        case ClipFormat::Html:
            return data.hasHtml();
    }
    return false;
}

std::optional<std::string> GetClipFormat(const QMimeData& data, ClipFormat format,
                                         Charset charset) {
    if (!HasClipFormat(data, format)) return std::nullopt;
    switch (format) {
        case ClipFormat::Text:
            return EncodeStoredText(data.text(), charset);
        case ClipFormat::Rtf:
            return (data.hasFormat(kRtf) ? data.data(kRtf) : data.data(kApplicationRtf))
                .toStdString();
        case ClipFormat::Html:
            return EncodeStoredText(data.html(), charset);
    }
    return std::nullopt;
}

bool QtClipboard::Has(ClipFormat format) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(m_mode);
    return data && HasClipFormat(*data, format);
}

std::optional<std::string> QtClipboard::Get(ClipFormat format) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(m_mode);
    if (!data) return std::nullopt;
    return GetClipFormat(*data, format, m_charset);
}

void QtClipboard::Clear() {
    m_put.clear();
    QGuiApplication::clipboard()->clear(m_mode);
}

void QtClipboard::Put(ClipFormat format, std::string data) {
    // The system clipboard takes whole entries, so each Put hands over a new one with every
    // format put since the last Clear.
    m_put[format] = std::move(data);
    auto* entry = new QMimeData;
    for (const auto& [putFormat, bytes] : m_put) PutClipFormat(*entry, putFormat, bytes, m_charset);
    QGuiApplication::clipboard()->setMimeData(entry, m_mode);
}

}  // namespace quinkle
