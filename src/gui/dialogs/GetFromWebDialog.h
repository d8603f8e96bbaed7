// The Get From WEB dialog: fetches a page into the editor, with a history of addresses.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "engine/net/HttpClient.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace quinkle {

class IniFile;
class WebTransfer;
struct WebPage;

/// "HTML Quinkle - Get From WEB". The history is read from [FromWeb] when the dialog is made
/// and written there whenever it closes. Get fetches the field's address off the GUI thread;
/// while it runs Get is disabled, Stop enabled and the bytes received are shown. A page that
/// arrived is handed to `apply`; a failure is shown through the Prompter and changes nothing.
/// Closing the dialog during a transfer cancels it.
class GetFromWebDialog : public QDialog {
public:
    using Apply = std::function<void(const WebPage& page)>;

    GetFromWebDialog(QWidget* parent, IniFile& settings, Apply apply);
    ~GetFromWebDialog() override;

    void SetUrl(const QString& url);
    QString Url() const;
    /// The transfer's settings (time-outs, limit, certificates, proxy).
    FetchOptions& Options() { return m_options; }
    bool Transferring() const;

    void btnGetClick();
    void btnStopClick();
    /// Enter in the address field: the history rule, nothing fetched.
    void cbURLEnter();

    void done(int result) override;

private:
    void ShowHistory();
    void ShowProgress();
    void Finished(const WebPage* page, const QString& error, bool cancelled);

    IniFile& m_settings;
    Apply m_apply;
    FetchOptions m_options;
    std::vector<std::string> m_history;
    QComboBox* m_url;
    QPushButton* m_get;
    QPushButton* m_stop;
    QLabel* m_progress;
    QTimer* m_progressTimer;
    WebTransfer* m_transfer;
};

}  // namespace quinkle
