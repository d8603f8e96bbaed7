// The program's entry: guard, splash, creation of the windows, message loop.
#include "gui/app/ProgramEntry.h"

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>

#include "gui/app/GuardedApplication.h"
#include "gui/app/ProgramIcons.h"
#include "gui/app/ProgramInfo.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/SingleInstance.h"
#include "gui/app/SplashForm.h"
#include "gui/dialogs/ConfigureDialog.h"

namespace quinkle {
namespace {

// The full path of the running program file.
std::string ProgramFilePath(const char* argv0) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) return std::string(path, size_t(length));
    return argv0 != nullptr ? argv0 : "htmquinkle";
}

// Watches the main window for its first painting; then saves its picture and/or ends the
// program, as the environment asks.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, QString grabFile, QString exitAfter)
        : QObject(window),
          m_window(window),
          m_grabFile(std::move(grabFile)),
          m_exitAfter(std::move(exitAfter)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Runs once the painting has been flushed to the window.
            QTimer::singleShot(0, this, [this] { Painted(); });
        }
        return false;
    }

private:
    void Painted() {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        if (!m_grabFile.isEmpty()) m_window->grab().save(m_grabFile);
        if (m_exitAfter.isEmpty()) return;
        Stamp("first paint", now);
        // "menu" leaves through File > Exit, as the user does, so its cost can be measured.
        auto* exit = m_exitAfter == QLatin1String("menu")
                         ? m_window->findChild<QAction*>(QStringLiteral("mnuExit"))
                         : nullptr;
        if (exit == nullptr) {
            QCoreApplication::exit(0);
            return;
        }
        Stamp("exit", std::chrono::steady_clock::now().time_since_epoch());
        exit->trigger();
    }

    static void Stamp(const char* what, std::chrono::nanoseconds when) {
        printf("%s: %lld\n", what, static_cast<long long>(when.count()));
        fflush(stdout);
    }

    QWidget* m_window;
    QString m_grabFile;
    QString m_exitAfter;  // empty: stay; "menu": File > Exit; anything else: quit at once
    bool m_seen = false;
};

void Progress(SplashForm& splash, const char* text) {
    TraceStartup(QStringLiteral("progress: %1").arg(QLatin1String(text)));
    splash.SetProgress(QLatin1String(text));
}

}  // namespace

int RunProgram(int argc, char* argv[]) {
    SingleInstance guard;
    if (!guard.Acquire(ProgramFilePath(argc > 0 ? argv[0] : nullptr))) {
        TraceStartup(QStringLiteral("another instance runs"));
        return 0;
    }
    TraceStartup(QStringLiteral("guarded"));

    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kProductName.data()));
    QApplication::setWindowIcon(ArtworkPixmap("quinkle"));
    SetApplicationTitle(QStringLiteral("Loading..."));
    SetStartupComplete(false);

    auto splash = std::make_unique<SplashForm>();
    splash->show();
    QCoreApplication::processEvents();

    // Only the first argument counts. A relative name means the folder the program was
    // started in, which creating the main window changes.
    const QString document =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : QString();
    Progress(*splash, "creating the main program...");
    auto form = std::make_unique<QuinkleForm>();
    TraceStartup(QStringLiteral("created QuinkleForm"));
    form->SetCommandLineDocument(document);

    Progress(*splash, "creating the table form...");
    Progress(*splash, "creating the Options dialog...");
    form->SetConfigureDialog(new ConfigureDialog(*form, form.get()));
    TraceStartup(QStringLiteral("created ConfigureDialog"));

    Progress(*splash, "creating the header dialog...");
    form->CreateHeadDialog();
    Progress(*splash, "creating the body dialog...");
    form->CreateBodyDialog();
    Progress(*splash, "creating the quick file dialog...");
    Progress(*splash, "creating the quick format dialog...");

    Progress(*splash, "running program...");
    splash.reset();

    const QString exitAfterPaint = qEnvironmentVariable("QUINKLE_EXIT_AFTER_PAINT");
    const QString grabFile = qEnvironmentVariable("QUINKLE_GRAB");
    if (!exitAfterPaint.isEmpty() || !grabFile.isEmpty())
        new FirstPaintWatch(form.get(), grabFile, exitAfterPaint);

    form->show();
    TraceStartup(QStringLiteral("message loop"));
    const int code = QApplication::exec();
    TraceStartup(QStringLiteral("message loop ended"));
    form.reset();
    guard.Release();
    TraceStartup(QStringLiteral("released"));
    return code;
}

}  // namespace quinkle
