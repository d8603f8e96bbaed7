// The Macros toolbar and window: recording into and playing from macro files, the list of
// macros and their deletion.
#include "gui/app/MacroCommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

#include "engine/text/UndoStack.h"
#include "gui/app/MacroInput.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kPartName = QStringLiteral("MacroCommands");
const QString kExtension = FromStd(kMacroExtension);

bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

bool IsCtrlBreak(const QEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    // X11 reports Ctrl+Pause as its own key symbol, Break (0xFF6B).
    return (key.modifiers() & Qt::ControlModifier) &&
           (key.key() == Qt::Key_Pause || key.key() == Qt::Key_Cancel ||
            key.nativeVirtualKey() == 0xFF6B);
}

bool MoveToTrash(const QString& path) {
    // Qt files a trashed file under the current folder when the user's data folder does not
    // exist yet, so that folder is made first.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (QFile::moveToTrash(path)) return true;
    AppPrompter().Message(Prompter::Kind::Warning, QString(),
                          QStringLiteral("File Error: \nError Deleting file \"%1\"").arg(path),
                          Prompter::Ok);
    return false;
}

}  // namespace

MacroCommands::MacroCommands(QuinkleForm& form)
    : QObject(&form),
      m_form(form),
      m_name(form.findChild<QLineEdit*>(QStringLiteral("edMacro"))),
      m_list(form.findChild<QListWidget*>(QStringLiteral("lbMacros"))),
      m_fast(form.findChild<QCheckBox*>(QStringLiteral("chPlayFast"))),
      m_timer(new QTimer(this)) {
    setObjectName(kPartName);
    m_clock.start();
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { FeedNext(); });
    if (m_list != nullptr) {
        connect(m_list, &QListWidget::itemDoubleClicked, this,
                [this] { Guarded([this] { PlaySelected(); }); });
    }
    // A recording is kept when the program ends while it goes on.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Guarded([this] { Stop(); }); });
    ReloadMacroList();
    if (m_name != nullptr && m_list != nullptr && m_list->count() > 0)
        m_name->setText(m_list->item(0)->text());
}

MacroCommands::~MacroCommands() {
    Watch(false);
    try {
        m_recorder.StopRecording();
    } catch (...) {
        // The window is going away: there is nobody left to tell.
    }
}

MacroCommands& MacroCommands::Of(QuinkleForm& form) {
    return WindowPart<MacroCommands>(form, kPartName);
}

QString MacroCommands::Folder() const { return m_form.ProgramDir(); }

void MacroCommands::Watch(bool on) {
    if (on == m_watching) return;
    m_watching = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void MacroCommands::ReloadMacroList() {
    if (m_list == nullptr) return;
    m_list->clear();
    for (const std::string& name : ListMacroNames(ToStd(Folder()))) m_list->addItem(FromStd(name));
}

void MacroCommands::Record() {
    if (m_name == nullptr || m_recorder.Recording() || m_recorder.Playing()) return;
    if (m_name->text().isEmpty() || m_name->text() == FromStd(kNoMacrosFound))
        m_name->setText(FromStd(MakeUniqueMacroName(ToStd(Folder()))));
    const QString name = m_name->text();
    m_recorder.SetMacroName(ToStd(Folder() + name));
    if (QFileInfo::exists(Folder() + name + kExtension) &&
        AppPrompter().Message(
            Prompter::Kind::Confirmation, QString(),
            QStringLiteral("Macro: \"%1\" Already Exists - OK to overwrite?").arg(name),
            Prompter::Yes | Prompter::No) != Prompter::Yes)
        return;
    if (m_recorder.Record(Now())) Watch(true);
}

void MacroCommands::EndRecording() {
    Watch(false);
    const auto reload = qScopeGuard([this] { ReloadMacroList(); });
    m_recorder.StopRecording();
}

void MacroCommands::Stop() {
    if (m_recorder.Recording())
        EndRecording();
    else if (m_recorder.Playing())
        EndPlayback(QString());
}

void MacroCommands::Play() {
    m_form.Memo1()->setFocus();
    if (m_name == nullptr || m_recorder.Recording() || m_recorder.Playing()) return;
    const QString name = m_name->text();
    if (name.isEmpty()) {
        m_form.ShowStatusMessage(QStringLiteral("You will need to enter a macro name first!"));
        return;
    }
    if (!QFileInfo::exists(Folder() + name + kExtension)) {
        m_form.ShowStatusMessage(QStringLiteral("Error: Macro - \"%1\" does not exist.").arg(name));
        return;
    }
    m_recorder.SetMacroName(ToStd(Folder() + name));
    if (!m_recorder.Play(Now())) return;
    m_buttons = {};
    m_timeBase = Now();
    // Everything the macro changes in the document is undone in one step.
    m_form.Memo1()->Editor().BeginGroup(ucUserEdit);
    Watch(true);
    if (!m_recorder.Playing()) {
        EndPlayback(QString());
        return;
    }
    ScheduleNext();
}

void MacroCommands::ScheduleNext() {
    if (m_recorder.State() != MacroState::Playing) return;
    const bool fast = m_fast != nullptr && m_fast->isChecked();
    m_timer->start(fast ? 0 : int(std::min<uint64_t>(m_recorder.WaitTime(Now()), 1u << 30)));
}

void MacroCommands::FeedNext() {
    Guarded([this] {
        const bool fast = m_fast != nullptr && m_fast->isChecked();
        const std::optional<MacroRecorder::DueEvent> due = m_recorder.NextDue(Now(), fast);
        if (!due) {
            ScheduleNext();
            return;
        }
        const bool last = !m_recorder.Playing();
        // The next event is set up before this one is fed, so a modal window it opens gets the
        // events that follow.
        ScheduleNext();
        const QString window = FromStd(due->Window);
        const bool wasFeeding = m_feeding;
        m_feeding = true;
        const bool fed = ReplayInput(due->Event, window, m_buttons, m_timeBase + due->Event.Time);
        m_feeding = wasFeeding;
        // A step that started a new document emptied the undo log: what follows is again one
        // step to undo.
        SourceEditor& editor = m_form.Memo1()->Editor();
        if (m_recorder.Playing() && !editor.UndoLog().GroupOpen()) editor.BeginGroup(ucUserEdit);
        if (!fed)
            EndPlayback(QStringLiteral("Macro \"%1\" stopped: the window \"%2\" is not there.")
                            .arg(m_name->text(), window.isEmpty() ? QStringLiteral("?") : window));
        else if (last)
            EndPlayback(QString());
    });
}

void MacroCommands::EndPlayback(const QString& problem) {
    m_timer->stop();
    m_recorder.CancelPlay();
    Watch(false);
    SourceEditor& editor = m_form.Memo1()->Editor();
    if (editor.UndoLog().OpenGroupCode() == ucUserEdit) editor.EndGroup(ucUserEdit);
    m_form.UpdateCommandState();
    if (!problem.isEmpty()) {
        m_form.ShowStatusMessage(problem);
        AppPrompter().Error(problem);
    }
}

void MacroCommands::View() {
    if (auto* window = m_form.findChild<QDockWidget*>(QStringLiteral("twMacros"))) {
        window->show();
        window->raise();
    }
}

void MacroCommands::PlaySelected() {
    QListWidgetItem* item = m_list != nullptr ? m_list->currentItem() : nullptr;
    if (item == nullptr || !item->isSelected() || m_name == nullptr) return;
    m_name->setText(item->text());
    Play();
}

void MacroCommands::DeleteSelected() {
    QListWidgetItem* item = m_list != nullptr ? m_list->currentItem() : nullptr;
    if (item == nullptr || !item->isSelected()) {
        m_form.ShowStatusMessage(QStringLiteral("Please Select a Macro First."));
        return;
    }
    MoveToTrash(Folder() + item->text() + kExtension);
    ReloadMacroList();
}

void MacroCommands::DeleteAll() {
    if (m_list == nullptr || m_list->count() == 0 ||
        m_list->item(0)->text() == FromStd(kNoMacrosFound))
        return;
    for (int i = 0; i < m_list->count(); ++i)
        MoveToTrash(Folder() + m_list->item(i)->text() + kExtension);
    ReloadMacroList();
}

bool MacroCommands::Pause() {
    if (!m_recorder.Pause(Now())) return false;
    m_timer->stop();
    return true;
}

void MacroCommands::Resume() {
    if (m_recorder.Resume(Now())) ScheduleNext();
}

bool MacroCommands::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWindowType() || !IsInput(event->type())) return false;
    if (IsCtrlBreak(*event) && !m_feeding) {
        Guarded([this] { Stop(); });
        return true;
    }
    if (m_feeding) return false;
    // While a macro plays, and while a recording is held, the user's own input waits.
    if (m_recorder.Playing() || m_recorder.State() == MacroState::RecordPaused) return true;
    if (m_recorder.State() != MacroState::Recording) return false;
    const std::optional<CapturedInput> input = CaptureInput(static_cast<QWindow*>(watched), *event);
    // The click that ends the recording is not part of it.
    if (!input || input->Window.endsWith(QLatin1String("/btnMStop"))) return false;
    Guarded([&] {
        if (m_recorder.Capture(input->Event, ToStd(input->Window), Now()) != CaptureResult::Full)
            return;
        Watch(false);
        ReloadMacroList();
        QTimer::singleShot(0, this, [] { AppPrompter().Information(FromStd(kMacroFull)); });
    });
    return false;
}

MacroPause::MacroPause(QuinkleForm& form)
    : m_macros(form.findChild<MacroCommands*>(kPartName, Qt::FindDirectChildrenOnly)) {
    if (m_macros != nullptr && !m_macros->Pause()) m_macros = nullptr;
}

MacroPause::~MacroPause() {
    if (m_macros != nullptr) m_macros->Resume();
}

}  // namespace quinkle
