// The Cheat Sheet dialog.
#include "gui/dialogs/CheatDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

CheatDialog::CheatDialog(QWidget* parent, std::function<void()> help) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCheat"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Cheat Sheet"));
    resize(720, 560);

    auto* toolbar = new QToolBar(QStringLiteral("Cheat Form"), this);
    toolbar->setObjectName(QStringLiteral("CheatForm"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* use = AddAction("btnUse", QStringLiteral("Use"));
    QAction* cancel = AddAction("btnCancel", QStringLiteral("Cancel"));
    QAction* convert = AddAction("btnConvert", QStringLiteral("Convert"));
    QAction* helpAction = AddAction("btnHelp", QStringLiteral("Help"));
    toolbar->addActions({use, cancel, convert, helpAction});
    connect(use, &QAction::triggered, this, [this] { Guarded([this] { btnUseClick(); }); });
    connect(cancel, &QAction::triggered, this, &QDialog::reject);
    connect(convert, &QAction::triggered, this, [this] { Guarded([this] { btnConvertClick(); }); });
    connect(helpAction, &QAction::triggered, this, help);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, help);

    m_RichEdit1 = new QTextBrowser(this);
    m_RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_RichEdit1->setOpenLinks(false);
    m_Memo1 = new QPlainTextEdit(this);
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_RichEdit1);
    split->addWidget(m_Memo1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(toolbar);
    layout->addWidget(split, 1);
    TakeFontName(*this, parent);
}

QAction* CheatDialog::AddAction(const char* name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void CheatDialog::Load(const QString& path, const QString& viewHtml,
                       std::function<QString()> convert) {
    m_path = path;
    m_fileToOpen = path;
    m_convert = std::move(convert);
    m_RichEdit1->setHtml(viewHtml);
    m_Memo1->clear();
    setWindowTitle(QStringLiteral("HTML Quinkle - Cheat Sheet - ") + QFileInfo(path).fileName());
}

QString CheatDialog::ResultText() const { return m_Memo1->toPlainText(); }

void CheatDialog::btnConvertClick() {
    if (!m_convert) return;
    QString page = m_convert();
    page.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_Memo1->setPlainText(page);
}

void CheatDialog::btnUseClick() {
    if (m_Memo1->toPlainText().isEmpty()) {
        AppPrompter().Error(QStringLiteral("The file must be converted first."));
        reject();
        return;
    }
    // The same name with its last four characters (".rtf") replaced.
    const QString target = m_path.left(m_path.size() - 4) + QStringLiteral(".htm");
    if (QFileInfo::exists(target) &&
        AppPrompter().Message(
            Prompter::Kind::Confirmation, windowTitle(),
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(target),
            Prompter::Yes | Prompter::No) != Prompter::Yes)
        return;
    QString text = m_Memo1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    try {
        WriteFileAtomically(ToStd(target), text.toStdString());
    } catch (const EQuinkleError& error) {
        AppPrompter().Error(FromStd(error.what()));
        return;
    }
    m_fileToOpen = target;
    accept();
}

}  // namespace quinkle
