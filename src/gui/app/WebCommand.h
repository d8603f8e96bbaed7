// The Load From Web command: the Get From WEB dialog and the page it puts into the document.
#pragma once

#include <QObject>

namespace quinkle {

class GetFromWebDialog;
class QuinkleForm;
struct WebPage;

/// Opens the Get From WEB dialog (made on first use, kept for the run) and replaces the
/// document's text with each page it fetches, as one undo step.
class WebCommand : public QObject {
public:
    explicit WebCommand(QuinkleForm& form);
    static WebCommand& Of(QuinkleForm& form);

    /// A selection that starts with "http://" or "https://" becomes the address; a modified
    /// document is asked about first, and Cancel opens nothing. The dialog then runs modally.
    void LoadFromWeb1Click();
    /// The dialog, made when it is first needed.
    GetFromWebDialog& Dialog();

private:
    void ShowPage(const WebPage& page);

    QuinkleForm& m_form;
    GetFromWebDialog* m_dialog = nullptr;
};

}  // namespace quinkle
