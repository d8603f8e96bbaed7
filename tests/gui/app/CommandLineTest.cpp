// The program's command line: which words are options, which is the document, and what ends
// the program before it starts.
#include <QTest>

#include <string>
#include <vector>

#include "GuiTest.h"
#include "gui/app/CommandLine.h"

namespace quinkle {
namespace {

using Action = CommandLine::Action;

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheWordsInOrder_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("action");
        // The document to run with, or the message of an error.
        QTest::addColumn<QString>("document");
        const auto row = [](const char* name, QStringList words, Action action,
                            const QString& document) {
            QTest::newRow(name) << words << int(action) << document;
        };
        row("nothing", {}, Action::Run, "");
        row("only the first file counts", {"a.htm", "b.htm"}, Action::Run, "a.htm");
        row("Qt's options and their values", {"-style", "fusion", "-reverse", "a.htm"}, Action::Run,
            "a.htm");
        row("Qt's options with two dashes and =", {"--platform=offscreen", "--reverse", "a.htm"},
            Action::Run, "a.htm");
        row("a dash alone is a file", {"-"}, Action::Run, "-");
        row("-- ends the options", {"--", "--help"}, Action::Run, "--help");
        row("help after a file", {"a.htm", "--help"}, Action::Help, "");
        row("short help", {"-h"}, Action::Help, "");
        row("version before a wrong option", {"-v", "--bogus"}, Action::Version, "");
        row("a wrong option before help", {"--bogus", "--help"}, Action::Error,
            "unknown option '--bogus'");
        row("a value Qt's option does not take", {"-reverse=yes"}, Action::Error,
            "unknown option '-reverse=yes'");
        row("a value missing at the end", {"a.htm", "-style"}, Action::Error,
            "option '-style' needs a value");
        // The value of a Qt option is never the document, even when it looks like one.
        row("a value that looks like a file", {"-stylesheet", "look.qss"}, Action::Run, "");
    }

    void readsTheWordsInOrder() {
        QFETCH(QStringList, words);
        QFETCH(int, action);
        QFETCH(QString, document);
        std::vector<std::string> storage{"htmquinkle"};
        for (const QString& word : words) storage.push_back(word.toStdString());
        std::vector<const char*> argv;
        for (const std::string& word : storage) argv.push_back(word.c_str());
        const CommandLine line = ParseCommandLine(int(argv.size()), argv.data());
        QCOMPARE(int(line.What), action);
        if (action == int(Action::Error))
            QCOMPARE(QString::fromStdString(line.Error), document);
        else if (action == int(Action::Run))
            QCOMPARE(QString::fromStdString(line.Document), document);
    }
};

QUINKLE_GUI_TEST(CommandLineTest);

}  // namespace
}  // namespace quinkle

#include "CommandLineTest.moc"
