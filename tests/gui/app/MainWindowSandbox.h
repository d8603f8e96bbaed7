// A main window started in private folders, and small probes of its document and undo log.
#pragma once

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "engine/store/IniFile.h"
#include "engine/text/UndoStack.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle::test {

/// Private settings, program, data and trash folders for one test function: the environment
/// and the current folder are put back when it ends.
class MainWindowSandbox {
public:
    MainWindowSandbox() : m_oldCurrent(QDir::currentPath()) {
        for (const char* name : kVariables) m_oldValues << qgetenv(name);
        qputenv("QUINKLE_CONFIG_DIR", Path(QStringLiteral("cfg")).toLocal8Bit());
        qputenv("QUINKLE_HOME", Path(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toLocal8Bit());
        QDir().mkpath(Path(QStringLiteral("cfg")));
    }

    ~MainWindowSandbox() {
        QDir::setCurrent(m_oldCurrent);
        for (int i = 0; i < int(std::size(kVariables)); ++i) {
            if (m_oldValues[i].isNull())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], m_oldValues[i]);
        }
    }

    MainWindowSandbox(const MainWindowSandbox&) = delete;
    MainWindowSandbox& operator=(const MainWindowSandbox&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString IniPath() const { return Path(QStringLiteral("cfg/htmquinkle.ini")); }
    /// The program folder the window will use, with a trailing slash.
    QString HomePath() const { return Path(QStringLiteral("home")) + QLatin1Char('/'); }

    /// Writes a setting of [Config] into the file before the window starts.
    void SetConfig(const char* key, const QString& value) {
        IniFile ini(IniPath().toStdString());
        ini.WriteString("Config", key, value.toStdString());
        ini.UpdateFile();
    }

    /// A file in the sandbox with `bytes`; returns its full path.
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = Path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QString();
        file.write(bytes);
        return path;
    }

    /// A main window as the program shows it after its start-up, with a blank document
    /// unless "Default Startup" was set before.
    std::unique_ptr<QuinkleForm> Start() {
        if (IniFile(IniPath().toStdString()).ReadString("Config", "Default Startup", "").empty())
            SetConfig("Default Startup", QStringLiteral("0"));
        SetStartupComplete(false);
        auto form = std::make_unique<QuinkleForm>();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
        QCoreApplication::processEvents();
        return form;
    }

private:
    static constexpr const char* kVariables[] = {"QUINKLE_CONFIG_DIR", "QUINKLE_HOME",
                                                 "XDG_DATA_HOME"};
    QTemporaryDir m_dir;
    QString m_oldCurrent;
    QList<QByteArray> m_oldValues;
};

/// The whole file, or a null array when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

/// The document as the user sees it (line ends as CR LF).
inline QString Text(const QuinkleForm& form) {
    return form.DocumentText(form.Memo1()->Editor().GetText());
}

/// Replaces the document by `text` with nothing to undo, and selects [from, to).
inline void SetDocument(QuinkleForm& form, const QString& text, int from = -1, int to = -1) {
    SourceEditor& editor = form.Memo1()->Editor();
    editor.SetText(form.DocumentBytes(text).c_str());
    editor.ClearUndo();
    const int end = editor.GetTextLen();
    editor.SetSel(from < 0 ? end : from, to < 0 ? (from < 0 ? end : from) : to);
    form.Memo1()->Refresh();
}

/// The labels of the undoable groups, newest first.
/// The editor's caret, in stored characters.
inline int Caret(const QuinkleForm& form) { return form.Memo1()->Editor().Caret(); }

/// The child of `parent` named `name`, or null.
template <typename T>
T* Child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QLatin1String(name));
}

inline QStringList UndoLabels(const QuinkleForm& form) {
    UndoStack& log = form.Memo1()->Editor().UndoLog();
    QStringList labels;
    log.StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    while (log.NextUndoGroup(false, code, node)) {
        const std::string_view name = UndoGroupName(code);
        labels << QString::fromUtf8(name.data(), qsizetype(name.size()));
    }
    return labels;
}

inline void Trigger(QuinkleForm& form, const char* name) {
    QAction* action = form.Command(QLatin1String(name));
    QVERIFY2(action != nullptr, name);
    QVERIFY2(action->isEnabled(), name);
    action->trigger();
    QCoreApplication::processEvents();
}

/// Types `text` into the editor key by key; a character no key of the test keyboard makes
/// arrives as a key event carrying only its text, as an input method sends it.
inline void Type(QuinkleForm& form, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(form.Memo1(), c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, form.Memo1(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    QCoreApplication::processEvents();
}

/// Runs `work` on the modal window the next command opens, once it is up; `work` ends it.
/// Gives up after ten seconds, so a command that opens nothing does not leave it waiting.
inline void WhenModalShown(std::function<void(QWidget*)> work) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, attempts, work = std::move(work)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*attempts < 500) return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) work(modal);
    });
    timer->start();
}

}  // namespace quinkle::test
