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

#include "gui/app/CommandLine.h"
#include "gui/app/GuardedApplication.h"
#include "gui/app/InstanceChannel.h"
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

// How long a second copy tries to reach the running one, which may still be starting.
constexpr int kHandOverTimeoutMs = 10000;

std::string ProgramName(const char* argv0) {
    const std::string path = argv0 != nullptr ? argv0 : "htmquinkle";
    return path.substr(path.find_last_of('/') + 1);
}

// Prints what --help, --version or a wrong option asks for; returns the exit code.
int AnswerCommandLine(const CommandLine& line, const char* argv0) {
    switch (line.What) {
        case CommandLine::Action::Help:
            fputs(CommandLineHelp(ProgramName(argv0)).c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            fputs(CommandLineVersion().c_str(), stdout);
            return 0;
        default:
            fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n",
                    ProgramName(argv0).c_str(), line.Error.c_str(), ProgramName(argv0).c_str());
            return 2;
    }
}

// Hands the document to the copy that holds the lock; a copy started without one only brings
// the running window to the front.
bool HandOver(int& argc, char* argv[], const std::string& programPath, const QString& document) {
    QCoreApplication app(argc, argv);
    const QString channel =
        QString::fromStdString(SingleInstance::InstanceFile(programPath, ".socket"));
    return SendToRunningInstance(channel, document, kHandOverTimeoutMs);
}

void Progress(SplashForm& splash, const char* text) {
    TraceStartup(QStringLiteral("progress: %1").arg(QLatin1String(text)));
    splash.SetProgress(QLatin1String(text));
}

}  // namespace

int RunProgram(int argc, char* argv[]) {
    const char* argv0 = argc > 0 ? argv[0] : nullptr;
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.What != CommandLine::Action::Run) return AnswerCommandLine(line, argv0);
    // Only the first file counts. A relative name means the folder the program was started
    // in, which creating the main window changes, and which a running copy does not know.
    const QString document =
        line.Document.empty()
            ? QString()
            : QFileInfo(QString::fromLocal8Bit(line.Document.c_str())).absoluteFilePath();

    SingleInstance guard;
    const std::string programPath = ProgramFilePath(argv0);
    if (!guard.Acquire(programPath)) {
        TraceStartup(QStringLiteral("another instance runs"));
        if (HandOver(argc, argv, programPath, document)) return 0;
        // The running copy may have ended meanwhile; then this one starts after all.
        if (!guard.Acquire(programPath)) {
            fprintf(stderr, "%s: another copy of the program runs but does not answer\n",
                    ProgramName(argv0).c_str());
            return 1;
        }
    }
    TraceStartup(QStringLiteral("guarded"));

    GuardedApplication app(argc, argv);
    auto channel = std::make_unique<InstanceServer>();
    if (!channel->Listen(
            QString::fromStdString(SingleInstance::InstanceFile(programPath, ".socket"))))
        TraceStartup(QStringLiteral("no channel for other copies"));
    QApplication::setApplicationName(QLatin1String(kProductName.data()));
    // The launcher entry's name, which lets the desktop match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.htmlquinkle"));
    QApplication::setWindowIcon(ArtworkPixmap("quinkle"));
    SetApplicationTitle(QStringLiteral("Loading..."));
    SetStartupComplete(false);

    auto splash = std::make_unique<SplashForm>();
    splash->show();
    QCoreApplication::processEvents();

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
    channel->Serve(*form);
    TraceStartup(QStringLiteral("message loop"));
    const int code = QApplication::exec();
    TraceStartup(QStringLiteral("message loop ended"));
    channel.reset();
    form.reset();
    guard.Release();
    TraceStartup(QStringLiteral("released"));
    return code;
}

}  // namespace quinkle
