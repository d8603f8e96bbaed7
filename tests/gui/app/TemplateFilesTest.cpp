// The main window's template and auto-correct files: read on a scheme change, written by Exit,
// and no correction inside comments.
#include <QFile>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::SetDocument;
using test::Trigger;

SourceEditor& Editor(QuinkleForm& form) { return form.Memo1()->Editor(); }

std::string Stored(QuinkleForm& form) {
    const TextStore& store = Editor(form).Store();
    return store.GetText(0, store.CharCount());
}

void CtrlJ(QuinkleForm& form) {
    QTest::keyClick(form.Memo1(), Qt::Key_J, Qt::ControlModifier);
    QCoreApplication::processEvents();
}

class TemplateFilesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

private Q_SLOTS:
    void init() { m_sandbox = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void theShippedHtmlTemplatesExpandInTheWindow() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY(Editor(*form).Settings().Templates.Entries().size() >= 40);
        SetDocument(*form, QStringLiteral("x\r\ntable"));
        CtrlJ(*form);
        QCOMPARE(Stored(*form).substr(0, 20), std::string("x\r<table border=\"1\">"));
        QCOMPARE(test::UndoLabels(*form).first(), QStringLiteral("Template"));
    }

    void filesInTheProgramFolderReplaceTheSchemesTablesOnEachSchemeChange() {
        m_sandbox->WriteFile(QStringLiteral("home/templates.tpl"),
                             "[zz | From the file]\r\nfrom|file\r\n");
        m_sandbox->WriteFile(QStringLiteral("home/autoreplace.tpl"), "[teh]\r\nthe\r\n");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QCOMPARE(Editor(*form).Settings().Templates.Entries().size(), size_t(1));
        SetDocument(*form, QStringLiteral("a zz"));
        CtrlJ(*form);
        QCOMPARE(Stored(*form), std::string("a fromfile"));

        // Inside a comment the window allows no correction; outside it does.
        SetDocument(*form, QStringLiteral("<!-- x"));
        test::Type(*form, QStringLiteral(" teh -->"));
        test::Type(*form, QStringLiteral(" teh "));
        QCOMPARE(Stored(*form), std::string("<!-- x teh --> the "));

        Trigger(*form, "PlainText1");
        const AutoReplace& correct = Editor(*form).Settings().AutoCorrect;
        QCOMPARE(correct.Entries().size(), size_t(1));  // the file's list, not the scheme's
        QVERIFY(Editor(*form).Settings().Templates.Find("zz") != nullptr);
    }

    void exitWritesTheActiveTablesAndClosingOtherwiseDoesNot() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const QString templates = m_sandbox->HomePath() + QStringLiteral("templates.tpl");
        const QString corrections = m_sandbox->HomePath() + QStringLiteral("autoreplace.tpl");
        Trigger(*form, "PlainText1");
        Editor(*form).Settings().Templates.AddTemplate("sig", "Signature", "Regards,\r|");
        form->close();
        QVERIFY(!QFile::exists(templates));

        form = m_sandbox->Start();
        QVERIFY(form);
        Trigger(*form, "PlainText1");
        Editor(*form).Settings().Templates.AddTemplate("sig", "Signature", "Regards,\r|");
        Trigger(*form, "mnuExit");
        QCOMPARE(test::ReadFile(templates), QByteArray("[sig | Signature]\r\nRegards,\r\n|\r\n"));
        QVERIFY(test::ReadFile(corrections).contains("[teh | ]\r\nthe\r\n"));

        // The next start reads them back.
        form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY(Editor(*form).Settings().Templates.Find("sig") != nullptr);
        QVERIFY(Editor(*form).Settings().AutoCorrect.Find("recieve") != nullptr);
    }
};

}  // namespace

QUINKLE_GUI_TEST(TemplateFilesTest);

}  // namespace quinkle

#include "TemplateFilesTest.moc"
