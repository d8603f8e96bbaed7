// Opening a rich-text file through the window: the Cheat Sheet dialog converts it, Use writes
// the page beside it (asking before it replaces a file) and opens that, and without a
// conversion the file opens as text.
#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::ReadFile;
using test::Text;

const QByteArray kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\info{\\title Own Title}}"
    "Plain and {\\b bold} caf\\'e9\\par}";

void Press(QWidget* dialog, const char* action) {
    dialog->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

class RichTextOpeningTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

private slots:
    void init() { m_sandbox = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void useWithoutConversionOpensTheFileAsText() {
        auto form = m_sandbox->Start();
        const QString rtf = m_sandbox->WriteFile(QStringLiteral("letter.RTF"), kRtf);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        bool shown = false;
        test::WhenModalShown([&shown](QWidget* dialog) {
            shown = dialog->objectName() == QStringLiteral("frmCheat");
            QVERIFY(dialog->findChild<QTextBrowser*>(QStringLiteral("RichEdit1"))
                        ->toPlainText()
                        .contains(QStringLiteral("Plain and bold caf\u00E9")));
            Press(dialog, "btnUse");
        });
        form->OpenDocument(rtf, true);
        QVERIFY(shown);
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().first().text,
                 QStringLiteral("The file must be converted first."));
        QCOMPARE(form->CurrentFileName(), rtf);
        QVERIFY(Text(*form).startsWith(QStringLiteral("{\\rtf1")));
    }

    void convertAndUseWriteThePageAndOpenIt() {
        auto form = m_sandbox->Start();
        const QString rtf = m_sandbox->WriteFile(QStringLiteral("letter.rtf"), kRtf);
        const QString page = m_sandbox->WriteFile(QStringLiteral("letter.htm"), "older page");
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerInput(QStringLiteral("My Page"));
        prompter.AnswerButton(Prompter::No);   // keep the older page, stay in the dialog
        prompter.AnswerButton(Prompter::Yes);  // then replace it
        test::WhenModalShown([&page](QWidget* dialog) {
            Press(dialog, "btnConvert");
            Press(dialog, "btnUse");
            QVERIFY(dialog->isVisible());
            QCOMPARE(ReadFile(page), QByteArray("older page"));
            Press(dialog, "btnUse");
        });
        form->OpenDocument(rtf, true);
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().first().value, QStringLiteral("Own Title"));
        QCOMPARE(form->CurrentFileName(), page);
        const QByteArray written = ReadFile(page);
        QVERIFY2(written.contains("<title>My Page</title>"), written.constData());
        QVERIFY(written.contains("\r\n<P>Plain and <B>bold</B> caf&eacute;</P>\r\n</body>"));
        QCOMPARE(Text(*form), QString::fromUtf8(written));
    }
};

QUINKLE_GUI_TEST(RichTextOpeningTest);

}  // namespace
}  // namespace quinkle

#include "RichTextOpeningTest.moc"
