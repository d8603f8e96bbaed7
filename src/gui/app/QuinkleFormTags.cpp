// The main window's HTML commands: the window's side of the document's insertion step, and the
// commands that wrap the selection or insert fixed text.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLocale>
#include <QTime>

#include "engine/document/Document.h"
#include "engine/html/HtmlHelpers.h"
#include "engine/html/TagText.h"
#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
// ---- the insertion step, which the document does ----

void QuinkleForm::BeginCommandGroup(int code) {
    if (m_document->BeginCommandGroup(code)) setUpdatesEnabled(false);
}

void QuinkleForm::EndCommandGroup(int code) {
    if (m_document->EndCommandGroup(code)) setUpdatesEnabled(true);
}

void QuinkleForm::InsertGeneratedText(const QString& text, int stepBack, int code) {
    m_memo->setFocus();
    m_document->InsertGeneratedText(ToStd(text), stepBack, code);
    ShowInsertion();
}

void QuinkleForm::InsertGenerated(const GeneratedText& generated, int code) {
    m_memo->setFocus();
    m_document->InsertGenerated(generated, code);
    ShowInsertion();
}

void QuinkleForm::ShowInsertion() {
    m_memo->ScrollCaret();
    UpdateCommandState();
}

void QuinkleForm::WrapSelection(const QString& tag, const QString& attributes, int code) {
    m_memo->setFocus();
    m_document->WrapSelection(ToStd(tag), ToStd(attributes), code);
    ShowInsertion();
}

void QuinkleForm::AlignParagraph(const QString& alignment) {
    m_memo->setFocus();
    m_document->AlignParagraph(ToStd(alignment));
    ShowInsertion();
}

// ---- the commands ----

void QuinkleForm::InsertHeading(const QString& caption) {
    const std::string tag = HeadingTag(caption.toStdString());
    if (!tag.empty()) WrapSelection(FromStd(tag), QString(), ucHeading);
}

void QuinkleForm::InsertList(const char* listTag) {
    UpdateCommandState();
    const auto list = ListText(listTag, m_memo->Editor().SelText());
    if (!list) {
        // Message boxes break lines at "\n".
        AppPrompter().Error(
            FromStd(kListNeedsTextMessage).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        return;
    }
    InsertGenerated(*list, ucInsertList);
}

void QuinkleForm::btnAddFontClick() {
    UpdateCommandState();
    FontOptions options;
    options.AddFace = m_controls.AddFont->isChecked();
    options.Face = DocumentBytes(m_controls.Font->currentText());
    options.AddColour = m_controls.AddColour->isChecked();
    options.Colour = DocumentBytes(m_controls.Colour->currentText());
    options.AddSize = m_controls.AddSize->isChecked();
    options.Size = DocumentBytes(m_controls.Size->currentText());
    const auto font = FontText(options, m_memo->Editor().SelText());
    if (!font) {
        ShowStatusMessage(FromStd(kFontNeedsOptionsMessage));
        return;
    }
    InsertGenerated(*font, ucFont);
}

void QuinkleForm::mnuWBRSetClick() {
    QString answer = QString::fromStdString(Read(*m_settings, kWbrKey));
    if (!AppPrompter().InputBox(QStringLiteral("Insert <wbr>"),
                                QStringLiteral("For <WBR> Use CTRL+Shift+"), answer) ||
        answer.isEmpty())
        return;
    ApplyWbrKey(answer.left(1));
    Write(*m_settings, kWbrKey, answer.left(1).toStdString());
}

void QuinkleForm::ApplyWbrKey(const QString& key) {
    m_wbrKey = key;
    // The key whose code is the character's: letters are meant in upper case.
    const QString upper = key.toUpper();
    Command(QStringLiteral("mnuWBRUse"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+%1").arg(upper)));
}

void QuinkleForm::mnuStripClick() {
    m_document->StripTags();
    ShowInsertion();
}

bool QuinkleForm::PickColour(QColor& colour) {
    QColor chosen = colour.isValid() ? colour : m_lastColour;
    if (!AppPrompter().ChooseColour(chosen)) return false;
    m_lastColour = chosen;
    colour = chosen;
    return true;
}

}  // namespace quinkle
