// The engine's clipboard over the system clipboard, and the MIME forms of its formats.
#pragma once

#include <QClipboard>
#include <QMimeData>
#include <map>
#include <optional>
#include <string>

#include "engine/editor/Clipboard.h"
#include "engine/text/Charset.h"

namespace quinkle {

/// The MIME form of the clipboard formats: Text is text/plain, Rtf is text/rtf (read also
/// from application/rtf), Html is text/html. Text and HTML travel as Qt strings: the stored
/// bytes are decoded as the view shows them and come back as UTF-8.
/// Text and HTML are decoded from and encoded into the document's `charset`.
void PutClipFormat(QMimeData& data, ClipFormat format, const std::string& bytes,
                   Charset charset = Charset::Utf8);
bool HasClipFormat(const QMimeData& data, ClipFormat format);
std::optional<std::string> GetClipFormat(const QMimeData& data, ClipFormat format,
                                         Charset charset = Charset::Utf8);

/// The system clipboard as the editor's Clipboard. Clear followed by several Puts leaves one
/// clipboard entry holding every format put since the Clear.
class QtClipboard : public Clipboard {
public:
    explicit QtClipboard(QClipboard::Mode mode = QClipboard::Clipboard) : m_mode(mode) {}

    bool Has(ClipFormat format) const override;
    std::optional<std::string> Get(ClipFormat format) const override;
    void Clear() override;
    void Put(ClipFormat format, std::string data) override;
    /// The document's charset, in which the editor's bytes are read and written.
    void SetCharset(Charset charset) { m_charset = charset; }

private:
    QClipboard::Mode m_mode;
    Charset m_charset = Charset::Utf8;
    std::map<ClipFormat, std::string> m_put;  // the formats put since the last Clear
};

}  // namespace quinkle
