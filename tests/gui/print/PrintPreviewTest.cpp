// The print preview opened from the main window: turning pages, the zoom list, an empty
// document, and printing a document to a PDF file that is read back.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/help/HelpCommands.h"
#include "gui/help/HelpWindow.h"
#include "gui/print/PreviewDialog.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::SetDocument;
using test::Trigger;

// Lines "<p>line 1 of the document</p>" .. "<p>line n of the document</p>".
QString Lines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("<p>line %1 of the document</p>").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QString Status(const PreviewDialog& preview) {
    return preview.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
}

void Click(PreviewDialog& preview, const char* button) {
    auto* tool = preview.findChild<QToolButton*>(QLatin1String(button));
    QVERIFY2(tool != nullptr, button);
    tool->click();
}

// The standard output of a program run to its end.
QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrintPreviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    // Opens the preview with `command` and runs `work` on it; Escape closes it afterwards,
    // whatever `work` found.
    static void WithPreview(QuinkleForm& form, const char* command,
                            const std::function<void(PreviewDialog&)>& work) {
        bool shown = false;
        test::WhenModalShown([&](QWidget* modal) {
            shown = true;
            struct Closer {
                QWidget* window;
                ~Closer() { QTest::keyClick(window, Qt::Key_Escape); }
            } closer{modal};
            auto* preview = dynamic_cast<PreviewDialog*>(modal);
            QVERIFY(preview != nullptr);
            work(*preview);
        });
        Trigger(form, command);
        QVERIFY(shown);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void printOpensThePreviewThatTurnsPagesWithinTheDocument() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, Lines(130));
        WithPreview(*form, "btnPrint", [&](PreviewDialog& preview) {
            QCOMPARE(preview.objectName(), QStringLiteral("frmPreview"));
            QCOMPARE(preview.windowTitle(), QStringLiteral("HTML Quinkle - Print Preview"));
            QCOMPARE(preview.PageCount(), 3);
            QCOMPARE(Status(preview), QStringLiteral("Page 1 of 3"));
            // A picture of the window at 100%, beside the test program, for a look at it.
            auto* zoom = preview.findChild<QComboBox*>(QStringLiteral("cbZoom"));
            zoom->lineEdit()->setText(QStringLiteral("100"));
            QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
            QVERIFY(preview.grab().save(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/PrintPreview.png")));
            // Previous on the first page and Next on the last change nothing.
            const struct {
                const char* button;
                int page;
            } steps[] = {{"btnPrevious", 1},
                         {"btnNext", 2},
                         {"btnNext", 3},
                         {"btnNext", 3},
                         {"btnPrevious", 2}};
            for (const auto& step : steps) {
                Click(preview, step.button);
                QCOMPARE(preview.CurrentPage(), step.page);
                QCOMPARE(Status(preview), QStringLiteral("Page %1 of 3").arg(step.page));
            }
            // F1 opens the preview's help topic over it.
            QTest::keyClick(&preview, Qt::Key_F1);
            HelpWindow* help = HelpCommands::Of(*form).Window();
            QVERIFY(help != nullptr && help->isVisible());
            QCOMPARE(help->CurrentTopic(), QStringLiteral("PrintPreview"));
            help->close();
        });
        // The window is kept, and lays the changed document out anew from its first page.
        QPointer<PreviewDialog> first =
            form->findChild<PreviewDialog*>(QStringLiteral("frmPreview"));
        QVERIFY(first);
        SetDocument(*form, Lines(10));
        WithPreview(*form, "mnuPrint", [&](PreviewDialog& preview) {
            QCOMPARE(&preview, first.data());
            QCOMPARE(Status(preview), QStringLiteral("Page 1 of 1"));
        });
        QCOMPARE(form->findChildren<PreviewDialog*>().size(), 1);
    }

    void zoomListShowsThePercentageInUse() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, Lines(20));
        WithPreview(*form, "btnPrint", [&](PreviewDialog& preview) {
            auto* zoom = preview.findChild<QComboBox*>(QStringLiteral("cbZoom"));
            QVERIFY(zoom);
            QCOMPARE(zoom->count(), 9);
            QCOMPARE(zoom->itemText(6), QStringLiteral("Fit To Width"));
            QCOMPARE(zoom->currentText(), QStringLiteral("25%"));
            QCOMPARE(preview.ZoomPercent(), 25);

            // Choosing a fit mode: the list shows the percentage shortly afterwards, and the
            // sheet fits the width of the view.
            zoom->setCurrentIndex(6);
            emit zoom->activated(6);
            QTRY_COMPARE(zoom->currentText(), QStringLiteral("%1%").arg(preview.ZoomPercent()));
            QVERIFY(preview.ZoomPercent() > 25);
            auto* area = preview.findChild<QScrollArea*>(QStringLiteral("PreviewArea"));
            auto* page = preview.findChild<QWidget*>(QStringLiteral("PreviewPage"));
            QVERIFY(page->width() <= area->viewport()->width());
            QVERIFY(page->width() > area->viewport()->width() * 3 / 4);

            // A typed whole number is the percentage; other text is not taken.
            struct Typed {
                const char* text;
                int percent;
            };
            for (const Typed typed : {Typed{"80", 80}, Typed{"abc", 80}, Typed{"90%", 80},
                                      Typed{"150", 150}, Typed{"-3", 150}}) {
                zoom->lineEdit()->setText(QLatin1String(typed.text));
                QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
                QCOMPARE(preview.ZoomPercent(), typed.percent);
                QTRY_COMPARE(zoom->currentText(), QStringLiteral("%1%").arg(typed.percent));
            }
        });
    }

    void emptyDocumentHasNothingToPrint() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QString());
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        WithPreview(*form, "btnPrint", [&](PreviewDialog& preview) {
            QCOMPARE(Status(preview), QStringLiteral("Page 0 of 0"));
            Click(preview, "btnPrint");
        });
        // So has a page range beyond the document's pages.
        SetDocument(*form, Lines(3));
        prompter.AnswerButton(Prompter::Ok);
        WithPreview(*form, "btnPrint", [&](PreviewDialog& preview) {
            QCOMPARE(Status(preview), QStringLiteral("Page 1 of 1"));
            preview.Printer().setPrintRange(QPrinter::PageRange);
            preview.Printer().setFromTo(2, 3);
            Click(preview, "btnPrint");
            preview.Printer().setPrintRange(QPrinter::AllPages);
        });
        QVERIFY2(prompter.UnexpectedCount() == 0, qPrintable(prompter.Transcript()));
        QCOMPARE(prompter.Questions().size(), 2);
        for (const ScriptedPrompter::Question& question : prompter.Questions()) {
            QCOMPARE(question.kind, Prompter::Kind::Information);
            QCOMPARE(question.text, QStringLiteral("There is nothing to print."));
        }
    }

    void printsToAPdfFileWithoutAPrinter() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("A printer is installed: Print goes to it, not to a PDF file.");
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP(
                "pdfinfo and pdftotext (Debian package poppler-utils) are needed to read the "
                "printed PDF file back; scripts/deps.sh installs them.");

        const QString document =
            m_sandbox->WriteFile(QStringLiteral("web/three.html"), Lines(130).toUtf8());
        const QString printed = m_sandbox->Path(QStringLiteral("printed.pdf"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerOpenFileName(document);
        Trigger(*form, "mnuOpen");
        prompter.Clear();
        prompter.AnswerSaveFileName(printed);
        // A file that cannot be written is a printing that did not complete.
        prompter.AnswerSaveFileName(m_sandbox->Path(QStringLiteral("no/such/folder/x.pdf")));
        prompter.AnswerButton(Prompter::Ok);
        WithPreview(*form, "btnPrint", [&](PreviewDialog& preview) {
            QCOMPARE(preview.PageCount(), 3);
            Click(preview, "btnPrint");
            Click(preview, "btnPrint");
        });
        QVERIFY2(prompter.UnexpectedCount() == 0, qPrintable(prompter.Transcript()));
        QCOMPARE(prompter.Questions().size(), 3);
        QCOMPARE(prompter.Questions()[2].text, QStringLiteral("Printing Cancelled."));
        QCOMPARE(prompter.Questions()[2].kind, Prompter::Kind::Information);
        // The file is offered beside the document, named after it.
        QCOMPARE(prompter.Questions()[0].value, m_sandbox->Path(QStringLiteral("web/three.pdf")));

        const QString info = Output(pdfinfo, {printed});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))),
                 qPrintable(info));
        const QString second =
            Output(pdftotext, {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                               QStringLiteral("2"), printed, QStringLiteral("-")});
        for (const char* text :
             {"HTML Quinkle v1.18 - three.html", "Page 2", "line 75 of the document"})
            QVERIFY2(second.contains(QLatin1String(text)), qPrintable(text + (" in:\n" + second)));
        QVERIFY2(!second.contains(QStringLiteral("line 1 of the document</p>")),
                 qPrintable(second));
    }
};

QUINKLE_GUI_TEST(PrintPreviewTest);

}  // namespace
}  // namespace quinkle

#include "PrintPreviewTest.moc"
