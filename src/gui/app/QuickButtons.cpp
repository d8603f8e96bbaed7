// The quick buttons: set-up from the settings, insertion, and the set-up dialogs.
#include "gui/app/QuickButtons.h"

#include <QAction>
#include <QFile>

#include "engine/store/QuickButtons.h"
#include "engine/text/UndoStack.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/dialogs/QuickButtonsDialog.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kPartName = QStringLiteral("QuickButtons");

// The toolbar action of ini button `button` (0..9).
QAction* ButtonAction(QuinkleForm& form, int button) {
    return button < kQuickFileButtons
               ? form.Command(QStringLiteral("btnQFile%1").arg(button + 1))
               : form.Command(QStringLiteral("btnQFormat%1").arg(button - kQuickFileButtons + 1));
}

}  // namespace

QuickButtons::QuickButtons(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(kPartName);
    LoadButtons();
}

QuickButtons& QuickButtons::Of(QuinkleForm& form) {
    return WindowPart<QuickButtons>(form, kPartName);
}

void QuickButtons::LoadButtons() {
    for (int i = 0; i < kQuickButtonCount; ++i) {
        QAction* action = ButtonAction(m_form, i);
        if (action == nullptr) continue;
        const QuickButton button = ReadQuickButton(m_form.Settings(), i);
        action->setVisible(!button.Payload.empty());
        if (button.Payload.empty()) continue;
        action->setText(FromStd(button.Caption));
        action->setToolTip(
            FromStd(button.Hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

void QuickButtons::InsertFormat(int n) {
    const std::string text = ReadQuickButton(m_form.Settings(), kQuickFileButtons + n).Payload;
    if (!text.empty()) m_form.InsertGeneratedText(FromStd(text), 0, ucQuickText);
}

void QuickButtons::InsertFile(int n) {
    const std::string payload = ReadQuickButton(m_form.Settings(), n).Payload;
    InsertTextFile(FromStd(QuickFilePath(payload, ToStd(m_form.ProgramDir()))));
}

void QuickButtons::InsertTextFile(const QString& path) {
    if (path.isEmpty()) {
        AppPrompter().Error(QStringLiteral("File Error: No Text File Assigned to Button."));
        return;
    }
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        AppPrompter().Error(
            QStringLiteral("File Error: Nothing To Add!\nFile not Found:%1").arg(path));
        return;
    }
    const QByteArray bytes = file.readAll();
    m_form.InsertGeneratedText(
        FromStd(TextFileInsertion(std::string_view(bytes.constData(), size_t(bytes.size())))), 0,
        ucInsertTextFile);
}

void QuickButtons::AddFile() {
    QString name = m_form.LastFolder(QStringLiteral("QTFPath"));
    if (!AppPrompter().OpenFileName(
            QString(),
            QStringLiteral("HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|"
                           "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
            name))
        return;
    if (name.startsWith(QLatin1Char('"'))) name.remove(0, 1);
    if (name.endsWith(QLatin1Char('"'))) name.chop(1);
    InsertTextFile(name);
    m_form.RememberFolder(QStringLiteral("QTFPath"), name);
}

QuickButtonsDialog& QuickButtons::Dialog(bool files) {
    const QString name = files ? QStringLiteral("frmQFile") : QStringLiteral("frmQFormat");
    if (auto* dialog = m_form.findChild<QuickButtonsDialog*>(name)) return *dialog;
    return *new QuickButtonsDialog(
        &m_form, files ? QuickButtonsDialog::Kind::File : QuickButtonsDialog::Kind::Format,
        m_form.Settings(), [this](const QString& topic) { m_form.ShowHelpTopic(topic); });
}

void QuickButtons::ConfigureFormats() {
    if (Dialog(false).Run()) LoadButtons();
}

void QuickButtons::ConfigureFiles() {
    if (Dialog(true).Run()) LoadButtons();
}

}  // namespace quinkle
