// The main window's HTML commands: the insertion primitive every command and dialog goes
// through, and the commands that wrap the selection or insert fixed text.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLocale>
#include <QTime>

#include "engine/html/HtmlHelpers.h"
#include "engine/html/TagText.h"
#include "engine/store/IniFile.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
// ---- the insertion primitive ----

void QuinkleForm::BeginCommandGroup(int code) {
    if (m_commandDepth++ == 0) {
        setUpdatesEnabled(false);
        m_commandBatch = std::make_unique<ChangeBatch>(m_memo->Editor());
    }
    // An already open group is kept: the editor ignores the second request.
    m_memo->Editor().BeginGroup(code);
}

void QuinkleForm::EndCommandGroup(int code) {
    m_memo->Editor().EndGroup(code);
    if (m_commandDepth > 0 && --m_commandDepth == 0) {
        m_commandBatch.reset();
        setUpdatesEnabled(true);
    }
}

void QuinkleForm::InsertGeneratedText(const QString& text, int stepBack, int code) {
    InsertGenerated(GeneratedText{DocumentBytes(text), stepBack}, code);
}

// `generated` holds the document's own bytes: the commands that wrap the selection build
// their text around its bytes as they are, so no character of it is re-encoded.
void QuinkleForm::InsertGenerated(const GeneratedText& generated, int code) {
    const int stepBack = generated.StepBack;
    BeginCommandGroup(code);
    m_memo->setFocus();
    SourceEditor& editor = m_memo->Editor();
    const bool noSelection = editor.SelStart() == editor.SelEnd();
    try {
        editor.ReplaceSel(generated.Text);
        if (noSelection && stepBack > 0)
            editor.SetSelStart(std::max(0, editor.SelStart() - stepBack));
    } catch (const std::exception& error) {
        AppPrompter().Error(QString::fromStdString(error.what()));
    }
    EndCommandGroup(code);
    m_memo->ScrollCaret();
    UpdateCommandState();
}

void QuinkleForm::WrapSelection(const QString& tag, const QString& attributes, int code) {
    InsertGenerated(WrapSelectionText(DocumentBytes(tag), DocumentBytes(attributes),
                                      m_memo->Editor().SelText()),
                    code);
}

void QuinkleForm::AlignParagraph(const QString& alignment) {
    InsertGenerated(AlignParagraphText(DocumentBytes(alignment), m_memo->Editor().SelText()),
                    ucParagraphAlign);
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
    options.AddFace = m_chAddFont->isChecked();
    options.Face = DocumentBytes(m_cbFont->currentText());
    options.AddColour = m_chAddColour->isChecked();
    options.Colour = DocumentBytes(m_cbColour->currentText());
    options.AddSize = m_chAddSize->isChecked();
    options.Size = DocumentBytes(m_cbSize->currentText());
    const auto font = FontText(options, m_memo->Editor().SelText());
    if (!font) {
        ShowStatusMessage(FromStd(kFontNeedsOptionsMessage));
        return;
    }
    InsertGenerated(*font, ucFont);
}

void QuinkleForm::mnuWBRSetClick() {
    QString answer = QString::fromStdString(m_settings->ReadString("Config", "wbr", "#"));
    if (!AppPrompter().InputBox(QStringLiteral("Insert <wbr>"),
                                QStringLiteral("For <WBR> Use CTRL+Shift+"), answer) ||
        answer.isEmpty())
        return;
    ApplyWbrKey(answer.left(1));
    m_settings->WriteString("Config", "wbr", answer.left(1).toStdString());
}

void QuinkleForm::ApplyWbrKey(const QString& key) {
    m_wbrKey = key;
    // The key whose code is the character's: letters are meant in upper case.
    const QString upper = key.toUpper();
    Command(QStringLiteral("mnuWBRUse"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+%1").arg(upper)));
}

void QuinkleForm::mnuStripClick() {
    BeginCommandGroup(ucStripTags);
    SourceEditor& editor = m_memo->Editor();
    Guarded([&] {
        const std::string stripped = StripHtmlTags(editor.GetText());
        editor.SelectAll();
        editor.ReplaceSel(stripped);
    });
    EndCommandGroup(ucStripTags);
    m_memo->ScrollCaret();
    UpdateCommandState();
}

bool QuinkleForm::PickColour(QColor& colour) {
    QColor chosen = m_lastColour;
    if (!AppPrompter().ChooseColour(chosen)) return false;
    m_lastColour = chosen;
    colour = chosen;
    return true;
}

}  // namespace quinkle
