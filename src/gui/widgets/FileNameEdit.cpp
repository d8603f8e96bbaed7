// A file name box: a line edit with a button that browses for the file.
#include "gui/widgets/FileNameEdit.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "gui/widgets/Prompter.h"

namespace quinkle {

FileNameEdit::FileNameEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_browse(new QToolButton(this)) {
    m_edit->setObjectName(QStringLiteral("edit"));
    m_browse->setObjectName(QStringLiteral("browse"));
    m_browse->setText(QStringLiteral("..."));
    m_browse->setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    setFocusProxy(m_edit);

    m_edit->installEventFilter(this);
    m_browse->installEventFilter(this);
    connect(m_edit, &QLineEdit::textEdited, this, &FileNameEdit::Edited);
    connect(m_browse, &QToolButton::clicked, this, &FileNameEdit::btnBrowseClick);
}

QString FileNameEdit::FileName() const { return m_edit->text(); }

void FileNameEdit::SetFileName(const QString& fileName) { m_edit->setText(fileName); }

void FileNameEdit::SetDefaultExtension(const QString& extension) {
    m_defaultExtension = extension;
    while (m_defaultExtension.startsWith(QLatin1Char('*')) ||
           m_defaultExtension.startsWith(QLatin1Char('.'))) {
        m_defaultExtension.remove(0, 1);
    }
}

void FileNameEdit::SetBrowseStart(const QString& start) {
    m_browseStart = start;
    m_hasBrowseStart = true;
}

bool FileNameEdit::Browse() {
    Q_EMIT BeforeBrowse();
    QString fileName = m_hasBrowseStart ? m_browseStart : FileName();
    m_hasBrowseStart = false;
    if (!AppPrompter().OpenFileName(m_dialogTitle, m_filter, fileName)) return false;
    const QFileInfo info(fileName);
    if (!m_defaultExtension.isEmpty() && info.suffix().isEmpty() && !info.exists()) {
        fileName += QLatin1Char('.') + m_defaultExtension;
    }
    SetFileName(fileName);
    Q_EMIT FileChosen(fileName);
    return true;
}

bool FileNameEdit::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_edit || watched == m_browse) && event->type() == QEvent::MouseButtonPress) {
        Q_EMIT Clicked();
    }
    return QWidget::eventFilter(watched, event);
}

void FileNameEdit::btnBrowseClick() { Browse(); }

}  // namespace quinkle
