// The main window's HTML dialogs and outside tools: the Header and Body dialogs, the
// character picker, and source formatting through HTML Tidy.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include "engine/document/Document.h"
#include "engine/html/HeadBody.h"
#include "engine/html/TidyCommand.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/TidyRun.h"
#include "gui/dialogs/BodyDialog.h"
#include "gui/dialogs/HeadDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CharacterPicker.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"
#include "gui/widgets/TextViewer.h"

namespace quinkle {
namespace {

// The text on the clipboard, empty when it holds none.
QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

}  // namespace

// ---- the Header and Body dialogs ----

void QuinkleForm::CreateHeadDialog() {
    if (m_headDialog == nullptr) m_headDialog = new HeadDialog(*this, this);
}

void QuinkleForm::CreateBodyDialog() {
    if (m_bodyDialog == nullptr) m_bodyDialog = new BodyDialog(*this, this);
}

BodyFields QuinkleForm::BodyDialogFields() const {
    return m_bodyDialog != nullptr ? m_bodyDialog->Fields() : BodyFields{};
}

void QuinkleForm::CreateHead() {
    CreateHeadDialog();
    m_headDialog->exec();
}

void QuinkleForm::CreateBody() {
    CreateBodyDialog();
    m_bodyDialog->exec();
}

// ---- Insert Character ----

void QuinkleForm::InsertCharacter1Click() {
    const QString before = ClipboardText();
    const int result = CharacterPicker::RunCharacterPicker(this) == 0 ? kRunSucceeded : kRunFailed;
    if (result != kRunSucceeded) {
        AppPrompter().Error(
            QStringLiteral("No character map installed\n\nThis option needs the \"Character "
                           "Map\" program from your Windows 95/98 Setup CD\n\nerror code %1")
                .arg(result));
        return;
    }
    if (ClipboardText() != before) {
        BeginCommandGroup(ucPasteChar);
        m_memo->Paste();
        EndCommandGroup(ucPasteChar);
    }
    UpdateCommandState();
}

// ---- Format through HTML Tidy ----

void QuinkleForm::FormatClick() {
    if (m_memo->Editor().ReadOnly) return ShowStatusMessage(FromStd(kReadOnlyNotice));
    const TidyOptions options = ReadTidyOptions(*m_settings);
    SourceEditor& editor = m_memo->Editor();
    BeginCommandGroup(ucSourceFormat);
    Guarded([&] {
        const TidyResult result =
            RunTidy(editor.GetText(), options, DocumentCharset(), ProgramDir());
        if (result.ProgramMissing)
            ShowStatusMessage(QStringLiteral("HTML Tidy (tidy) was not found"));
        if (!result.Problem.empty()) {
            AppPrompter().Error(QString::fromStdString(result.Problem));
            return;
        }
        editor.SelectAll();
        editor.ReplaceSel(result.Text);
    });
    EndCommandGroup(ucSourceFormat);
    if (options.ShowErrorLog)
        TextViewer::ShowTextFile(this, ProgramDir() + FromStd(kTidyErrorFileName));
    editor.SetSel(0, 0);
    m_memo->ScrollCaret();
    UpdateCommandState();
}

}  // namespace quinkle
