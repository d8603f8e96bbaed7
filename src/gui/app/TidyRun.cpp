// Running HTML Tidy over a text through a file in the program folder.
#include "gui/app/TidyRun.h"

#include <QFile>
#include <QProcess>

#include "engine/store/IniFile.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// Runs `program` with `arguments`, waiting as long as it takes; RunAndWait's report.
int RunAndWait(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return kRunFailed;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1)) return kRunFailed;
    return RunAndWaitResult(process.exitStatus() == QProcess::NormalExit, process.exitCode());
}

}  // namespace

TidyResult RunTidy(const std::string& text, const TidyOptions& options, Charset charset,
                   const QString& folder) {
    const std::string document = (folder + FromStd(kTidyTempFileName)).toStdString();
    const std::string errors = (folder + FromStd(kTidyErrorFileName)).toStdString();
    WriteFileAtomically(document, text, "document");
    QStringList arguments;
    for (const std::string& argument : TidyArguments(options, charset, document, errors))
        arguments << QString::fromStdString(argument);
    const QString tidy = QString::fromStdString(
        FindTidyProgram(folder.toStdString(), qEnvironmentVariable("PATH").toStdString()));
    TidyResult result;
    result.ProgramMissing = RunAndWait(tidy, arguments) != kRunSucceeded && tidy.isEmpty();
    bool missing = false;
    result.Problem = ReadWholeFile(document, result.Text, missing);
    QFile::remove(QString::fromStdString(document));
    return result;
}

}  // namespace quinkle
