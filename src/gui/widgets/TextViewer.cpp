// A modal read-only window that shows a plain text file, such as the formatter's error log.
#include "gui/widgets/TextViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/editor/StoredText.h"

namespace quinkle {
namespace {

// A log is small; anything larger is not a file this window was meant for.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

}  // namespace

TextViewer::TextViewer(const QString& path, QWidget* parent)
    : QDialog(parent),
      m_memText(new QPlainTextEdit(this)),
      m_btnClose(new QPushButton(QStringLiteral("&Close"), this)) {
    setObjectName(QStringLiteral("frmTextViewer"));
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - Text Viewer"));
    setModal(true);

    m_memText->setObjectName(QStringLiteral("memText"));
    m_memText->setReadOnly(true);
    m_memText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setDefault(true);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memText, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    LoadFile(path);
}

void TextViewer::LoadFile(const QString& path) {
    const QFileInfo info(path);
    // A fifo or a device could block or never end; only plain files are read.
    if (!info.isFile() || info.size() > kMaxFileSize) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(kMaxFileSize);
    QString text =
        DecodeStoredText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    // CR LF and CR-only files show their lines like LF ones.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_memText->setPlainText(text);
}

QString TextViewer::Text() const { return m_memText->toPlainText(); }

void TextViewer::ShowTextFile(QWidget* parent, const QString& path) {
    TextViewer viewer(path, parent);
    viewer.exec();
}

}  // namespace quinkle
