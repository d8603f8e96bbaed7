// The main window's HTML dialogs and outside tools: the Header and Body dialogs, the
// character picker, and source formatting through HTML Tidy.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>

#include "engine/html/HeadBody.h"
#include "engine/html/TidyCommand.h"
#include "engine/store/IniFile.h"
#include "gui/app/QuinkleForm.h"
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

// Runs `program` with `arguments`, waiting as long as it takes; RunAndWait's report.
int RunAndWait(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return kRunFailed;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1)) return kRunFailed;
    return RunAndWaitResult(process.exitStatus() == QProcess::NormalExit, process.exitCode());
}

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
    const QString folder = ProgramDir();
    const QString document = folder + FromStd(kTidyTempFileName);
    const QString errors = folder + FromStd(kTidyErrorFileName);
    const TidyOptions options = ReadTidyOptions(*m_settings);
    SourceEditor& editor = m_memo->Editor();

    BeginCommandGroup(ucSourceFormat);
    Guarded([&] {
        WriteFileAtomically(document.toStdString(), editor.GetText(), "document");
        QStringList arguments;
        for (const std::string& argument : TidyArguments(
                 options, DocumentCharset(), document.toStdString(), errors.toStdString()))
            arguments << QString::fromStdString(argument);
        const QString tidy = QString::fromStdString(
            FindTidyProgram(folder.toStdString(), qEnvironmentVariable("PATH").toStdString()));
        // Tidy's result is not checked: on any failure the file is read back as written.
        if (RunAndWait(tidy, arguments) != kRunSucceeded && tidy.isEmpty())
            ShowStatusMessage(QStringLiteral("HTML Tidy (tidy) was not found"));
        std::string formatted;
        bool missing = false;
        const std::string problem = ReadWholeFile(document.toStdString(), formatted, missing);
        if (!problem.empty()) {
            AppPrompter().Error(QString::fromStdString(problem));
            return;
        }
        editor.SelectAll();
        editor.ReplaceSel(formatted);
    });
    EndCommandGroup(ucSourceFormat);
    if (options.ShowErrorLog) TextViewer::ShowTextFile(this, errors);
    QFile::remove(document);
    editor.SetSel(0, 0);
    m_memo->ScrollCaret();
    UpdateCommandState();
}

}  // namespace quinkle
