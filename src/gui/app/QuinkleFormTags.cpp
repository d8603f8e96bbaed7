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
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// Inserts a builder's UTF-8 text, which the form encodes in the document's charset.
void InsertText(QuinkleForm& form, const GeneratedText& generated, int code) {
    form.InsertGeneratedText(FromStd(generated.Text), generated.StepBack, code);
}

}  // namespace

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

// ---- the commands ----

void QuinkleForm::ConnectTagCommands() {
    const auto wrap = [this](std::initializer_list<const char*> names, WrapCommand command) {
        OnCommands(names, [this, command] {
            WrapSelection(FromStd(command.Tag), QString(), command.Code);
        });
    };
    wrap({"btnBold", "mnuBold"}, kBoldCommand);
    wrap({"btnItalics", "mnuItalics"}, kItalicsCommand);
    wrap({"btnUnderline", "mnuUnderline"}, kUnderlineCommand);
    wrap({"mnuBlink"}, kBlinkCommand);
    wrap({"mnuSuperscript"}, kSuperscriptCommand);
    wrap({"mnuSubscript"}, kSubscriptCommand);
    wrap({"mnuFootNote"}, kFootNoteCommand);
    wrap({"Paragraph1"}, kParagraphCommand);

    for (const char* name : {"btnH1", "btnH2", "btnH3", "btnH4", "btnH5", "btnH6", "H11", "H21",
                             "H31", "H41", "H51", "H61"}) {
        QAction* action = Command(QLatin1String(name));
        OnCommands({name}, [this, action] { InsertHeading(action->text()); });
    }
    connect(m_obHeading, &QComboBox::activated, this,
            [this] { InsertHeading(m_obHeading->currentText()); });

    const auto align = [this](const char* name, const char* alignment) {
        OnCommands({name}, [this, alignment] {
            m_memo->setFocus();
            m_document->AlignParagraph(alignment);
            ShowInsertion();
        });
    };
    align("btnAlignLeft", "left");
    align("btnAlignCenter", "center");
    align("btnAlignRight", "right");
    OnCommands({"btnNList"}, [this] { InsertList("ol"); });
    OnCommands({"btnBList"}, [this] { InsertList("ul"); });
    OnCommands({"btnAddFont"}, &QuinkleForm::btnAddFontClick);
    OnCommands({"btnDate", "mnuDateTime"}, [this] {
        const QLocale locale = QLocale::system();
        InsertText(
            *this,
            DateTimeText(locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
                         locale.toString(QTime::currentTime(), QLocale::LongFormat).toStdString()),
            ucTodaysDate);
    });
    OnCommands({"mnuBreak"}, [this] { InsertText(*this, BreakText(), ucBreak); });
    OnCommands({"mnuWBRUse"}, [this] { InsertText(*this, WbrText(), ucWBreak); });
    OnCommands({"mnuWBRSet"}, &QuinkleForm::mnuWBRSetClick);
    OnCommands({"mnuColour"}, [this] {
        QColor colour;
        if (PickColour(colour))
            InsertGeneratedText(FromStd(ColourToHtml(FromQColor(colour))), 0, ucColour);
    });
    OnCommands({"Comment1"}, [this] { InsertText(*this, CommentText(), ucJSComment); });
    OnCommands({"Script1"}, [this] {
        WrapSelection(FromStd(kScriptCommand.Tag), FromStd(kScriptAttributes), kScriptCommand.Code);
        InsertText(*this, CommentText(), ucJSComment);
    });
    OnCommands({"mnuStrip"}, &QuinkleForm::mnuStripClick);
}

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
    m_document->StripTags();
    ShowInsertion();
}

bool QuinkleForm::PickColour(QColor& colour) {
    QColor chosen = m_lastColour;
    if (!AppPrompter().ChooseColour(chosen)) return false;
    m_lastColour = chosen;
    colour = chosen;
    return true;
}

}  // namespace quinkle
