// Program-wide values: start-up state, application title and the program folder.
#include "gui/app/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace quinkle {
namespace {

bool g_startupComplete = false;
QString g_applicationTitle;
QString g_programDir;

QString WithSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path;
}

// Copies every file below `from` into `to`, keeping the folder structure. Files that exist
// already are left alone.
void CopyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + source.relativeFilePath(file);
        if (QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
        // Files copied from a read-only installation would stay read-only.
        QFile(target).setPermissions(QFile(target).permissions() | QFile::WriteOwner);
    }
}

}  // namespace

bool StartupComplete() { return g_startupComplete; }
void SetStartupComplete(bool complete) { g_startupComplete = complete; }

QString ApplicationTitle() { return g_applicationTitle; }
void SetApplicationTitle(const QString& title) { g_applicationTitle = title; }

QString ProgramDir() { return g_programDir; }

QString ShippedDataDir() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    // Installed: <prefix>/bin/htmquinkle beside <prefix>/share/htmquinkle.
    QStringList candidates{programFolder + QStringLiteral("/data"),
                           programFolder + QStringLiteral("/../share/htmquinkle")};
#ifdef QUINKLE_SOURCE_DATA_DIR
    // A program run from its build folder uses the data folder of the source tree.
    candidates << QStringLiteral(QUINKLE_SOURCE_DATA_DIR);
#endif
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) return WithSlash(QDir(candidate).absolutePath());
    }
    return {};
}

QString PrepareProgramDir() {
    QString folder = qEnvironmentVariable("QUINKLE_HOME");
    if (folder.isEmpty()) {
        QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        if (dataHome.isEmpty()) dataHome = QDir::homePath() + QStringLiteral("/.local/share");
        folder = dataHome + QStringLiteral("/quinkle");
    }
    folder = WithSlash(QDir(folder).absolutePath());
    QDir().mkpath(folder);
    // Shipped files the folder lacks are copied in at every start, so a file that a newer
    // program ships reaches an older folder too; the user's own files are never replaced.
    const QString shipped = ShippedDataDir();
    if (!shipped.isEmpty()) CopyTree(shipped, folder);
    QDir::setCurrent(folder);
    g_programDir = folder;
    return folder;
}

}  // namespace quinkle

namespace quinkle {

void TraceStartup(const QString& step) {
    static const bool tracing = qEnvironmentVariableIsSet("QUINKLE_TRACE_STARTUP");
    if (tracing) fprintf(stderr, "startup: %s\n", step.toUtf8().constData());
}

}  // namespace quinkle
