// The Load From Web command.
#include "gui/app/WebCommand.h"

#include "engine/document/Document.h"
#include "engine/net/WebPage.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/dialogs/GetFromWebDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

WebCommand::WebCommand(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("WebCommand"));
}

WebCommand& WebCommand::Of(QuinkleForm& form) {
    return WindowPart<WebCommand>(form, QStringLiteral("WebCommand"));
}

GetFromWebDialog& WebCommand::Dialog() {
    if (m_dialog == nullptr)
        m_dialog = new GetFromWebDialog(&m_form, m_form.Settings(),
                                        [this](const WebPage& page) { ShowPage(page); });
    return *m_dialog;
}

void WebCommand::LoadFromWeb1Click() {
    // The selection is compared byte for byte: an address is plain ASCII in every charset.
    const std::string selected = m_form.Memo1()->Editor().SelText();
    const bool address = selected.starts_with("http://") || selected.starts_with("https://");
    if (address) Dialog().SetUrl(m_form.DocumentText(selected));
    if (m_form.Memo1()->Editor().Modified() && !m_form.AskSaveChanges()) return;
    Dialog().exec();
}

void WebCommand::ShowPage(const WebPage& page) {
    if (m_form.EngineDocument().ReplaceWithPage(page)) m_form.Memo1()->Refresh();
    m_form.UpdateCommandState();
}

}  // namespace quinkle
