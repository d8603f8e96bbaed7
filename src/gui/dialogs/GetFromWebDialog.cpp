// The Get From WEB dialog.
#include "gui/dialogs/GetFromWebDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include "engine/net/WebPage.h"
#include "engine/store/UrlHistory.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/WebTransfer.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    // Enter belongs to the address field's history rule, never to a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QString Bytes(uint64_t count) {
    return QLocale().toString(static_cast<qulonglong>(count)) + QStringLiteral(" bytes");
}

}  // namespace

GetFromWebDialog::GetFromWebDialog(QWidget* parent, IniFile& settings, Apply apply)
    : QDialog(parent), m_settings(settings), m_apply(std::move(apply)) {
    setObjectName(QStringLiteral("frmGetFromWeb"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Get From WEB"));
    TakeFontName(*this, parent);

    auto* caption = new QLabel(QStringLiteral("URL:"), this);
    m_url = new QComboBox(this);
    m_url->setObjectName(QStringLiteral("cbURL"));
    m_url->setEditable(true);
    m_url->setInsertPolicy(QComboBox::NoInsert);
    m_url->setMinimumContentsLength(40);
    m_url->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    caption->setBuddy(m_url);
    connect(m_url->lineEdit(), &QLineEdit::returnPressed, this, [this] { cbURLEnter(); });

    m_get = Button("btnGet", "&Get", this);
    m_stop = Button("btnStop", "&Stop", this);
    m_stop->setEnabled(false);
    connect(m_get, &QPushButton::clicked, this, [this] { btnGetClick(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { btnStopClick(); });

    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("lblProgress"));

    auto* notice = new QLabel(this);
    notice->setObjectName(QStringLiteral("RAhtLabel1"));
    notice->setTextFormat(Qt::RichText);
    notice->setWordWrap(true);
    notice->setText(QStringLiteral(
        "<b><u><font color=\"red\">Important!</font></u></b> This dialog assumes that you are "
        "connected to the internet. If you are <br>not, then your default internet connection "
        "will be started up automatically. <b><font color=\"blue\">Beta Version</font></b> "
        "very slow."));

    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(m_url, 0, 1);
    layout->addWidget(m_get, 0, 2);
    layout->addWidget(m_progress, 1, 1);
    layout->addWidget(m_stop, 1, 2);
    layout->addWidget(notice, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);

    m_transfer = new WebTransfer(this);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, [this] { ShowProgress(); });

    m_history = ReadUrlHistory(m_settings);
    ShowHistory();
    m_url->setEditText(QString());
}

GetFromWebDialog::~GetFromWebDialog() { m_transfer->Abandon(); }

void GetFromWebDialog::SetUrl(const QString& url) { m_url->setEditText(url); }

QString GetFromWebDialog::Url() const { return m_url->currentText(); }

bool GetFromWebDialog::Transferring() const { return m_transfer->Running(); }

void GetFromWebDialog::ShowHistory() {
    const QString text = m_url->currentText();
    m_url->clear();
    for (const std::string& entry : m_history) m_url->addItem(FromStd(entry));
    m_url->setEditText(text);
}

void GetFromWebDialog::cbURLEnter() {
    EnterUrl(m_history, ToStd(m_url->currentText()));
    ShowHistory();
}

void GetFromWebDialog::btnGetClick() {
    const QString address = m_url->currentText().trimmed();
    if (address.isEmpty() || m_transfer->Running()) return;
    m_get->setEnabled(false);
    m_stop->setEnabled(true);
    m_progress->setText(QStringLiteral("Connecting..."));
    m_progressTimer->start();
    m_transfer->Start(address, m_options,
                      [this](const WebPage* page, const QString& error, bool cancelled) {
                          Finished(page, error, cancelled);
                      });
}

void GetFromWebDialog::btnStopClick() { m_transfer->Cancel(); }

void GetFromWebDialog::ShowProgress() {
    if (m_transfer->Running() && m_transfer->Received() > 0)
        m_progress->setText(Bytes(m_transfer->Received()) + QStringLiteral(" received"));
}

void GetFromWebDialog::Finished(const WebPage* page, const QString& error, bool cancelled) {
    m_progressTimer->stop();
    m_get->setEnabled(true);
    m_stop->setEnabled(false);
    if (page != nullptr) {
        m_progress->setText(Bytes(m_transfer->Received()) + QStringLiteral(" loaded"));
        Guarded([&] { m_apply(*page); });
    } else if (cancelled) {
        m_progress->setText(QStringLiteral("Stopped."));
    } else {
        m_progress->clear();
        AppPrompter().Error(error);
    }
}

void GetFromWebDialog::done(int result) {
    if (m_transfer->Running()) {
        m_transfer->Abandon();
        m_progressTimer->stop();
        m_progress->clear();
        m_get->setEnabled(true);
        m_stop->setEnabled(false);
    }
    Guarded([&] { WriteUrlHistory(m_settings, m_history); });
    QDialog::done(result);
}

}  // namespace quinkle
