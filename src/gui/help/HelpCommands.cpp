// The Help menu's commands, keyword help and the start-up tip.
#include "gui/help/HelpCommands.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>

#include "engine/help/KeywordHelp.h"
#include "engine/help/TipList.h"
#include "engine/store/IniFile.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/help/HelpWindow.h"
#include "gui/help/TipDialog.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kObjectName = QStringLiteral("HelpCommands");
// The command row whose shortcut asks for keyword help in the editor.
const QString kKeywordHelpCommand = QStringLiteral("KeywordHelp1");

// A relative path in a keyword file means a file of the program folder.
QString InProgramDir(const QString& path) {
    return QFileInfo(path).isRelative() ? ProgramDir() + path : path;
}

}  // namespace

HelpCommands& HelpCommands::Of(QuinkleForm& form) {
    if (auto* existing = form.findChild<HelpCommands*>(kObjectName, Qt::FindDirectChildrenOnly))
        return *existing;
    return *new HelpCommands(form);
}

HelpCommands::HelpCommands(QuinkleForm& form)
    : QObject(&form), m_form(form), m_formObject(&form), m_memoObject(form.Memo1()) {
    setObjectName(kObjectName);
    form.installEventFilter(this);
    if (m_memoObject != nullptr) m_memoObject->installEventFilter(this);
}

QString HelpCommands::ProgramHelpIndex() {
    const QString name = QStringLiteral("help/topics.ini");
    const QString shipped = ShippedDataDir();
    if (!shipped.isEmpty() && QFileInfo(shipped + name).isFile()) return shipped + name;
    return ProgramDir() + name;
}

HelpWindow& HelpCommands::OpenWindow(const QString& indexPath) {
    if (m_window == nullptr) m_window = new HelpWindow(&m_form);
    m_window->Open(indexPath);
    // Over a modal dialog (its Help button, F1) the help would be shown but locked; it becomes
    // modal itself then, on top of the dialog, until it is closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality =
        modal != nullptr && modal != m_window ? Qt::ApplicationModal : Qt::NonModal;
    if (m_window->windowModality() != modality) {
        m_window->hide();
        m_window->setWindowModality(modality);
    }
    m_window->show();
    m_window->activateWindow();
    return *m_window;
}

void HelpCommands::Contents() { OpenWindow(ProgramHelpIndex()).ShowContents(); }

void HelpCommands::SearchForHelpOn() { OpenWindow(ProgramHelpIndex()).ShowIndex(QString()); }

void HelpCommands::HowToUseHelp() { OpenWindow(ProgramHelpIndex()).ShowHowToUse(); }

void HelpCommands::ShowTopic(const QString& topic) {
    Guarded([&] {
        HelpWindow& window = OpenWindow(ProgramHelpIndex());
        if (!window.ShowTopic(topic)) window.ShowContents();
    });
}

QString HelpCommands::KeywordHelp() {
    const QString helpFile = m_form.KeywordHelpFile();
    if (helpFile.isEmpty() || !QFileInfo(InProgramDir(helpFile)).isFile()) return QString();
    SourceEditor& editor = m_form.Memo1()->Editor();
    // The word at the caret: the one the caret stands in or at the start of, else the one
    // just before it.
    const int32_t caret = editor.Caret();
    int32_t end = editor.WordEnd(caret);
    const int32_t start = editor.WordStart(end > caret ? end : caret);
    if (end <= caret) end = editor.WordEnd(start);
    const std::string word = editor.GetText().substr(size_t(start), size_t(end - start));
    const QString keywordFile = m_form.KeywordFile();
    const IniFile keywords =
        keywordFile.isEmpty() ? IniFile() : IniFile(ToStd(InProgramDir(keywordFile)));
    const QString keyword = FromStd(HelpKeywordFor(keywords, word));
    if (keyword.isEmpty()) return keyword;
    OpenWindow(InProgramDir(helpFile)).ShowKeyword(keyword);
    return keyword;
}

void HelpCommands::TipOfTheDay() {
    if (m_tips == nullptr) m_tips = new TipDialog(m_form.Settings(), &m_form);
    m_tips->LoadTips(ProgramDir() + QStringLiteral("tips.txt"));
    m_tips->show();
    m_tips->activateWindow();
}

void HelpCommands::ShowTipsAtStartup() {
    if (Read(m_form.Settings(), kShowTipsAtStartup)) TipOfTheDay();
}

bool HelpCommands::eventFilter(QObject* watched, QEvent* event) {
    // The form's own members are not used for its events: they also come while it is being
    // destroyed.
    if (watched == m_formObject && event->type() == QEvent::Show && !m_formShown) {
        m_formShown = true;
        // After the window's own first showing has run.
        QTimer::singleShot(0, this, [this] { Guarded([this] { ShowTipsAtStartup(); }); });
    } else if (watched == m_memoObject && event->type() == QEvent::KeyPress) {
        QAction* command = m_form.Command(kKeywordHelpCommand);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (command != nullptr && command->isEnabled() && !command->shortcut().isEmpty() &&
            QKeySequence(key->keyCombination()) == command->shortcut()) {
            command->trigger();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quinkle
