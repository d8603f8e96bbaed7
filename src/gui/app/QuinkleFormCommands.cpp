// The main window's commands made from the command table, and the editing commands that work
// on the editor directly.
#include <QAction>
#include <QActionGroup>
#include <QFontInfo>
#include <QToolButton>

#include "engine/scheme/EditorOptions.h"
#include "gui/app/CommandTable.h"
#include "gui/app/ProgramIcons.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"

namespace quinkle {
namespace {

QString LineBreaks(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

QAction* QuinkleForm::NewCommand(const char* name) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    // Commands stay disabled until their handler is connected.
    action->setEnabled(false);
    return action;
}

void QuinkleForm::CreateCommands() {
    for (const CommandRow& row : MainWindowCommands(*this)) {
        QAction* action = NewCommand(row.Name);
        if (!row.Handler) continue;
        connect(action, &QAction::triggered, this, [handler = row.Handler] { Guarded(handler); });
        action->setEnabled(true);
    }
    for (const char* name : {"UseRegularExpressions1", "mnuWordWrap", "mnuReadOnly"})
        Command(QLatin1String(name))->setCheckable(true);
    m_syntaxGroup = new QActionGroup(this);
    for (const char* name : {"HTML1", "Pascal1", "CC1", "mnuSQL", "SQL1", "PlainText1"}) {
        QAction* item = Command(QLatin1String(name));
        item->setCheckable(true);
        m_syntaxGroup->addAction(item);
    }
    Command(QStringLiteral("HTML1"))->setChecked(true);
    // Only one of the two Ctrl+F items may own the key; the pop-up's shows it as a reminder.
    Command(QStringLiteral("Format2"))->setShortcutContext(Qt::WidgetShortcut);
}

QAction* QuinkleForm::Command(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void QuinkleForm::AssignCaptions() {
    for (const CommandRow& row : MainWindowCommands(*this)) {
        QAction* action = Command(QLatin1String(row.Name));
        action->setText(QString::fromUtf8(row.Caption));
        action->setIconText(QString::fromUtf8(row.Caption));
        if (row.Shortcut != nullptr) action->setShortcut(QKeySequence(QLatin1String(row.Shortcut)));
        if (row.Hint != nullptr) action->setToolTip(LineBreaks(row.Hint));
        if (row.Theme != nullptr || row.Artwork != nullptr)
            action->setIcon(row.Artwork != nullptr ? ProgramIcon(row.Theme, row.Artwork)
                                                   : QIcon::fromTheme(row.Theme));
    }
    SetDocumentTitle(m_documentTitle.isEmpty() ? QStringLiteral("(Untitled)") : m_documentTitle);
}

// ---- editing commands ----

void QuinkleForm::mnuCutClick() {
    m_memo->Cut();
    UpdateCommandState();
}

void QuinkleForm::mnuCopyClick() {
    m_memo->Copy();
    UpdateCommandState();
}

void QuinkleForm::mnuPasteClick() {
    m_memo->Paste();
    UpdateCommandState();
}

void QuinkleForm::EditAndShow(const std::function<void(SourceEditor&)>& edit) {
    Guarded([&] {
        ChangeBatch batch(m_memo->Editor());
        edit(m_memo->Editor());
    });
    m_memo->ScrollCaret();
    UpdateCommandState();
}

void QuinkleForm::mnuSelectAllClick() {
    EditAndShow([](SourceEditor& editor) { editor.SelectAll(); });
}

void QuinkleForm::mnuUndoClick() {
    EditAndShow([](SourceEditor& editor) { editor.Undo(); });
}

void QuinkleForm::mnuRedoClick() {
    EditAndShow([](SourceEditor& editor) { editor.Redo(); });
}

void QuinkleForm::btnIndentClick() {
    EditAndShow([](SourceEditor& editor) { editor.IndentBlock(0, false); });
}

void QuinkleForm::btnUnIndentClick() {
    EditAndShow([](SourceEditor& editor) { editor.UnindentBlock(0); });
}

void QuinkleForm::mnuWordWrapClick() {
    SourceEditor& editor = m_memo->Editor();
    const bool wrap = Command(QStringLiteral("mnuWordWrap"))->isChecked();
    editor.Settings().Options =
        wrap ? editor.Options() | smoWordWrap : editor.Options() & ~uint32_t(smoWordWrap);
    m_memo->ApplySettings();
}

void QuinkleForm::mnuReadOnlyClick() {
    m_memo->Editor().ReadOnly = Command(QStringLiteral("mnuReadOnly"))->isChecked();
}

void QuinkleForm::mnuEdFontClick() {
    QFont chosen = m_memo->EditorFont();
    // An alias such as "Courier New" is not in the dialog's list; the family it stands for is.
    chosen.setFamily(QFontInfo(chosen).family());
    if (AppPrompter().ChooseFont(chosen)) m_memo->SetEditorFont(chosen);
}

void QuinkleForm::ProgramFont1Click() {
    QFont chosen = font();
    if (AppPrompter().ChooseFont(chosen)) ApplyProgramFont(chosen.family());
}

}  // namespace quinkle
