// The Browser button and its mode menu.
#include "gui/app/BrowserCommand.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "engine/html/BrowserView.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

BrowserCommand::BrowserCommand(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("BrowserCommand"));
    if (const QAction* button = form.Command(QStringLiteral("btnView")))
        m_browserIcon = button->icon();
}

BrowserCommand& BrowserCommand::Of(QuinkleForm& form) {
    return WindowPart<BrowserCommand>(form, QStringLiteral("BrowserCommand"));
}

void BrowserCommand::SetMode(const QString& caption) {
    QAction* button = m_form.Command(QStringLiteral("btnView"));
    if (button == nullptr) return;
    button->setText(caption);
    button->setIconText(caption);
    // In Default mode a named document shows the icon of the program that will open it.
    const QString document = m_form.CurrentFileName();
    const bool system = caption == QLatin1String("Default") && !document.isEmpty();
    button->setIcon(system ? QFileIconProvider().icon(QFileInfo(document)) : m_browserIcon);
}

void BrowserCommand::View() {
    m_form.UpdateCommandState();
    const SourceEditor& editor = m_form.Memo1()->Editor();
    if (editor.GetTextLen() == 0) {
        AppPrompter().Information(QString::fromLatin1(kNothingToView));
        return;
    }
    std::string problem;
    const std::string folder = PreviewFolder(
        qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString(), problem);
    const BrowserPage page =
        problem.empty() ? PageToView(editor.GetText(), m_form.CurrentFileName().toStdString(),
                                     editor.Modified(), folder)
                        : BrowserPage{{}, problem};
    if (!page.Problem.empty()) {
        AppPrompter().Error(FromStd(page.Problem));
        return;
    }
    Launch(FromStd(page.Path));
}

void BrowserCommand::Launch(const QString& path) {
    const QAction* button = m_form.Command(QStringLiteral("btnView"));
    const QString browser = FromStd(Read(m_form.Settings(), kDefaultBrowser));
    const bool own = button && button->text() == QLatin1String("Browser") && !browser.isEmpty();
    const bool started = own ? QProcess::startDetached(browser, {path})
                             : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!started)
        AppPrompter().Error(
            QStringLiteral("Cannot start %1 to show %2.")
                .arg(own ? browser : QStringLiteral("the desktop's browser"), path));
}

}  // namespace quinkle
