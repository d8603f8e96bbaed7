// The Insert Link dialog: a link, a mail link or a named section, one page each.
#include "gui/dialogs/LinkDialog.h"

#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/help/HelpTopics.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kLinkKey = QStringLiteral("LinkPath");

QLineEdit* MakeEdit(QWidget* owner, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(FromStd(text), owner);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QWidget* MakePage(QTabWidget* pages, const char* name, const QString& title) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, title);
    return page;
}

QString Coloured(const QString& text, const char* colour) {
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(QLatin1String(colour), text.toHtmlEscaped());
}

}  // namespace

LinkDialog::LinkDialog(InsertHost& host, QWidget* parent)
    : InsertDialog(host, parent, "frmLink", QStringLiteral("HTML Quinkle - Insert a Link..."),
                   ucLink, kTopicLinkDialog) {
    const LinkFields defaults;
    // The pages are made in the order of LinkPage, so a page's index is its LinkPage.
    m_PageControl = new QTabWidget(this);
    m_PageControl->setObjectName(QStringLiteral("PageControl1"));

    QWidget* linkPage = MakePage(m_PageControl, "tsLink", QStringLiteral("Link"));
    m_EditLink = new FileNameEdit(linkPage);
    m_EditLink->setObjectName(QStringLiteral("EditLink"));
    m_EditLink->SetFileName(FromStd(defaults.Link));
    m_EditLink->SetFilter(QStringLiteral("Favorites (*.url)|*.url|All Files (*.*)|*.*"));
    m_EditText = MakeEdit(linkPage, "EditText", defaults.Text);
    auto* linkFields = new QFormLayout(linkPage);
    linkFields->addRow(QStringLiteral("&Link:"), m_EditLink);
    linkFields->addRow(QStringLiteral("&Text:"), m_EditText);

    QWidget* mailPage = MakePage(m_PageControl, "tsMailTo", QStringLiteral("MailTo"));
    m_EditEmailLink = MakeEdit(mailPage, "EditEmailLink", defaults.EmailLink);
    m_EditEMailText = MakeEdit(mailPage, "EditEMailText", defaults.EmailText);
    auto* mailFields = new QFormLayout(mailPage);
    mailFields->addRow(QStringLiteral("&email:"), m_EditEmailLink);
    mailFields->addRow(QStringLiteral("&Text:"), m_EditEMailText);

    QWidget* namePage = MakePage(m_PageControl, "tsName", QStringLiteral("Name"));
    m_EditName = MakeEdit(namePage, "EditName", defaults.Name);
    auto* explanation =
        new QLabel(QStringLiteral("This will allow you to call different sections of your *.html\n"
                                  "page easily by naming the sections.  All you have to do \n"
                                  "to jump to the named section is:"),
                   namePage);
    m_Example = new QLabel(namePage);
    m_Example->setObjectName(QStringLiteral("lblExample"));
    m_Example->setTextFormat(Qt::RichText);
    auto* nameFields = new QFormLayout(namePage);
    nameFields->addRow(QStringLiteral("&Name:"), m_EditName);
    nameFields->addRow(explanation);
    nameFields->addRow(m_Example);
    UpdateExample();

    auto* fields = new QVBoxLayout;
    fields->addWidget(m_PageControl);
    SetFieldsLayout(fields);
    resize(460, sizeHint().height());

    connect(m_EditLink, &FileNameEdit::BeforeBrowse, this,
            [this] { m_EditLink->SetBrowseStart(Host().LastFolder(kLinkKey)); });
    connect(m_EditLink, &FileNameEdit::FileChosen, this, &LinkDialog::ShortcutChosen);
    connect(m_EditName, &QLineEdit::textChanged, this, &LinkDialog::UpdateExample);
}

void LinkDialog::ShowPage(LinkPage page) { m_PageControl->setCurrentIndex(int(page)); }

void LinkDialog::showEvent(QShowEvent* event) {
    InsertDialog::showEvent(event);
    if (auto* first = m_PageControl->currentWidget()->findChild<QLineEdit*>()) first->setFocus();
}

LinkFields LinkDialog::Fields() const {
    LinkFields fields;
    fields.Page = LinkPage(m_PageControl->currentIndex());
    fields.Link = ToStd(m_EditLink->FileName());
    fields.Text = ToStd(m_EditText->text());
    fields.EmailLink = ToStd(m_EditEmailLink->text());
    fields.EmailText = ToStd(m_EditEMailText->text());
    fields.Name = ToStd(m_EditName->text());
    return fields;
}

GeneratedText LinkDialog::Generated() const { return BuildLink(Fields()); }

QString LinkDialog::ExampleHtml() const { return m_Example->text(); }

void LinkDialog::ShortcutChosen(const QString& fileName) {
    Guarded([&] {
        Host().RememberFolder(kLinkKey, fileName);
        QFile file(fileName);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const ShortcutPick pick = PickShortcut(
            std::string_view(bytes.constData(), size_t(bytes.size())), ToStd(fileName));
        m_EditLink->SetFileName(FromStd(pick.Link));
        m_EditText->setText(FromStd(pick.Text));
    });
}

// "<a href="somepage.htm#name">name</a>" with the address in red and the name as a browser
// shows a link; before a name is typed, the address without its section.
void LinkDialog::UpdateExample() {
    const QString name = m_EditName->text();
    QString html = QStringLiteral("<a href=").toHtmlEscaped();
    if (name.isEmpty()) {
        html += Coloured(QStringLiteral("\"somepage.htm\""), "red") +
                QStringLiteral("></a>").toHtmlEscaped();
    } else {
        html += Coloured(QStringLiteral("\"somepage.htm#") + name + QLatin1Char('"'), "red") +
                QStringLiteral("&gt;<span style=\"color:blue; text-decoration:underline\">") +
                name.toHtmlEscaped() + QStringLiteral("</span>") +
                QStringLiteral("</a>").toHtmlEscaped();
    }
    m_Example->setText(html);
}

}  // namespace quinkle
