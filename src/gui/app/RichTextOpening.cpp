// Opening a rich-text file through the Cheat Sheet dialog.
#include "gui/app/RichTextOpening.h"

#include <QFile>
#include <QStringList>

#include <memory>

#include "engine/help/HelpTopics.h"
#include "engine/html/RtfToHtml.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/dialogs/CheatDialog.h"
#include "gui/dialogs/HeadDialog.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

RichTextOpening::RichTextOpening(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("RichTextOpening"));
}

RichTextOpening& RichTextOpening::Of(QuinkleForm& form) {
    return WindowPart<RichTextOpening>(form, QStringLiteral("RichTextOpening"));
}

std::string RichTextOpening::FileToOpen(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    // A file that cannot be read is left to the document, which says why.
    if (!file.open(QIODevice::ReadOnly)) return path;
    const QByteArray bytes = file.readAll();
    auto translation = std::make_shared<RtfTranslation>(
        TranslateRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));

    if (m_dialog == nullptr)
        m_dialog = new CheatDialog(
            &m_form, [form = &m_form] { form->ShowHelpTopic(FromStd(kTopicRtfConversion)); });
    m_form.CreateHeadDialog();
    const auto convert = [form = &m_form, translation] {
        const HeadDialog* head = form->findChild<HeadDialog*>();
        QString title = head != nullptr ? head->PageTitle() : QString();
        if (title.isEmpty()) title = FromStd(translation->Title);
        AppPrompter().InputBox(QStringLiteral("New Document"),
                               QStringLiteral("Please Enter The Title of your New Document:"),
                               title);
        // What the translation made up (a font or colour the file lacks) is told, not hidden.
        QStringList notes;
        for (const std::string& note : translation->Notes) notes << FromStd(note);
        if (!notes.isEmpty()) form->ShowStatusMessage(notes.join(QLatin1Char(' ')));
        return FromStd(
            BuildRtfPage(*translation, head != nullptr ? ToStd(head->Keywords()) : std::string(),
                         ToStd(title), head != nullptr ? ToStd(head->Description()) : std::string(),
                         form->BodyDialogFields()));
    };
    m_dialog->Load(QFile::decodeName(path.c_str()), FromStd(translation->Body), convert);
    m_dialog->exec();
    return QFile::encodeName(m_dialog->FileToOpen()).toStdString();
}

}  // namespace quinkle
