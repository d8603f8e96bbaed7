// The Support window.
#include "gui/dialogs/SupportDialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/html/AboutTexts.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

void Open(const std::string& url) { QDesktopServices::openUrl(QUrl(FromStd(url))); }

}  // namespace

SupportArea::SupportArea(const QString& name, const QString& title, const QString& explanation,
                         std::function<void()> click, QWidget* parent)
    : QWidget(parent), m_click(std::move(click)) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    m_title = new QLabel(title, this);
    m_title->setObjectName(name + QStringLiteral("Title"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_title);
    if (!explanation.isEmpty()) {
        auto* text = new QLabel(explanation, this);
        text->setWordWrap(true);
        layout->addWidget(text);
    }
    Light(false);
}

void SupportArea::Light(bool on) {
    m_lit = on;
    m_title->setStyleSheet(on ? QStringLiteral("color: #000080; background: #ffff00;")
                              : QStringLiteral("color: #000080;"));
}

void SupportArea::enterEvent(QEnterEvent* event) {
    Light(true);
    QWidget::enterEvent(event);
}

void SupportArea::leaveEvent(QEvent* event) {
    Light(false);
    QWidget::leaveEvent(event);
}

void SupportArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_click();
}

SupportDialog::SupportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSupport"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Support Form"));
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, const char* title, const char* explanation,
                   std::function<void()> click) {
        layout->addWidget(new SupportArea(QLatin1String(name), QLatin1String(title),
                                          QLatin1String(explanation), std::move(click), this));
    };
    const auto homePage = [] { Open(std::string(kHomePage)); };
    add("lblHomepage", "HTML Quinkle Homepage",
        "Visit the HTML Quinkle Homepage where you can download the newest version and see what "
        "the updates are.",
        homePage);
    add("lblUpdates", "Check for Updates",
        "HTML Quinkle will be updated as regularly as I can. Click here if you want to check for "
        "new updates or new versions.",
        homePage);
    add("lblSuggestion", "Submit Suggestion",
        "I would be glad to hear your suggestions and opinions about HTML Quinkle.",
        [] { Open(SupportMailUrl(SupportMail::Suggestion)); });
    add("lblBug", "Submit Bug",
        "Have you detected a bug in HTML Quinkle? Write me and I will try to fix it.",
        [] { Open(SupportMailUrl(SupportMail::BugReport)); });
    add("lblClose", "Close Wizard", "", [this] { reject(); });
    TakeFontName(*this, parent);
}

}  // namespace quinkle
