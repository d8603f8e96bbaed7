// The prompters and the file name box: filter conversion, scripted answers, Qt message boxes.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "GuiTest.h"
#include "engine/text/EditorError.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/QtPrompter.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

class PrompterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void programFiltersBecomeQtNameFilters() {
        QCOMPARE(QtNameFilters(QStringLiteral("Help File (*.hlp)|*.hlp|All files (*.*)|*.*")),
                 QStringList({"Help File (*.hlp)", "All files (*)"}));
        QCOMPARE(QtNameFilters(QStringLiteral("Web Pages|*.htm;*.html; *.shtml")),
                 QStringList({"Web Pages (*.htm *.html *.shtml)"}));
        // A description without patterns, an empty description, an empty filter.
        QCOMPARE(QtNameFilters(QStringLiteral("Text|*.txt|Everything")),
                 QStringList({"Text (*.txt)", "Everything (*)"}));
        QCOMPARE(QtNameFilters(QStringLiteral("|*.grd")), QStringList({"*.grd (*.grd)"}));
        QVERIFY(QtNameFilters(QString()).isEmpty());
    }

    void scriptedAnswersComeInOrderAndEveryQuestionIsRecorded() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        QCOMPARE(&AppPrompter(), static_cast<Prompter*>(&prompter));

        prompter.AnswerButton(Prompter::No);
        prompter.AnswerInput(QStringLiteral("typed"));
        prompter.AnswerOpenFileName(QStringLiteral("/a/b.htm"));
        prompter.AnswerSaveFileName(QString(), false);

        QCOMPARE(AppPrompter().Message(Prompter::Kind::Confirmation, QStringLiteral("T"),
                                       QStringLiteral("Save?"),
                                       Prompter::Yes | Prompter::No | Prompter::Cancel),
                 int(Prompter::No));
        QString value = QStringLiteral("initial");
        QVERIFY(AppPrompter().InputBox(QStringLiteral("Title"), QStringLiteral("Name:"), value));
        QCOMPARE(value, QStringLiteral("typed"));
        QString name = QStringLiteral("/start");
        QVERIFY(AppPrompter().OpenFileName(QStringLiteral("Open"), QStringLiteral("A|*.a"), name));
        QCOMPARE(name, QStringLiteral("/a/b.htm"));
        QVERIFY(!AppPrompter().SaveFileName(QString(), QString(), QStringLiteral("htm"), name));
        QCOMPARE(name, QStringLiteral("/a/b.htm"));  // a cancelled dialog leaves it alone

        QCOMPARE(prompter.Questions().size(), 4);
        const ScriptedPrompter::Question& first = prompter.Questions()[0];
        QCOMPARE(first.kind, Prompter::Kind::Confirmation);
        QCOMPARE(first.text, QStringLiteral("Save?"));
        QCOMPARE(first.buttons, Prompter::Yes | Prompter::No | Prompter::Cancel);
        QCOMPARE(prompter.Questions()[1].value, QStringLiteral("initial"));
        QCOMPARE(prompter.Questions()[2].filter, QStringLiteral("A|*.a"));
        QCOMPARE(prompter.Questions()[3].defaultExtension, QStringLiteral("htm"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.PendingAnswers(), 0);
    }

    void theGuardShowsEngineErrorsAndLetsOthersThrough() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        prompter.AnswerButton(Prompter::Ok);
        bool after = false;
        QVERIFY(!Guarded(
            [&] {
                throw EFileSaveError("Disk full");
                after = true;
            },
            Prompter::Kind::Warning));
        QVERIFY(!after);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions()[0].kind, Prompter::Kind::Warning);
        QCOMPARE(prompter.Questions()[0].text, QStringLiteral("Disk full"));
        QVERIFY(Guarded([&] { after = true; }));
        QVERIFY(after);
        // A programmer error is not the guard's to hide.
        bool escaped = false;
        try {
            Guarded([] { throw std::logic_error("broken"); });
        } catch (const std::logic_error&) {
            escaped = true;
        }
        QVERIFY(escaped);
        // A paint-time error is shown once the event is over.
        prompter.AnswerButton(Prompter::Ok);
        QVERIFY(!GuardedDeferred([] { throw ESourceEditor("late"); }));
        QCOMPARE(prompter.Questions().size(), 1);
        QTRY_COMPARE(prompter.Questions().size(), 2);
        QCOMPARE(prompter.Questions()[1].text, QStringLiteral("late"));
    }

    void unexpectedQuestionsAreCancelledNotWaitedFor() {
        ScriptedPrompter prompter;
        QCOMPARE(prompter.Message(Prompter::Kind::Confirmation, QString(), QStringLiteral("?"),
                                  Prompter::Yes | Prompter::No | Prompter::Cancel),
                 int(Prompter::Cancel));
        QCOMPARE(prompter.Message(Prompter::Kind::Warning, QString(), QStringLiteral("?"),
                                  Prompter::Yes | Prompter::No),
                 int(Prompter::No));
        QCOMPARE(
            prompter.Message(Prompter::Kind::Error, QString(), QStringLiteral("!"), Prompter::Ok),
            int(Prompter::Ok));

        // An answer of another sort stays queued for the question it was meant for.
        prompter.AnswerOpenFileName(QStringLiteral("/x"));
        QString value = QStringLiteral("keep");
        QVERIFY(!prompter.InputBox(QString(), QString(), value));
        QCOMPARE(value, QStringLiteral("keep"));
        QCOMPARE(prompter.PendingAnswers(), 1);
        QString name;
        QVERIFY(prompter.OpenFileName(QString(), QString(), name));
        QCOMPARE(name, QStringLiteral("/x"));

        QCOMPARE(prompter.UnexpectedCount(), 4);
        QVERIFY(prompter.Transcript().contains(QStringLiteral("InputBox")));
        QVERIFY(prompter.Transcript().contains(QStringLiteral("(unexpected)")));
    }

    void theQtMessageBoxShowsTheButtonsAndAnswersEscapeWithCancel() {
        QtPrompter prompter;
        QStringList seen;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            for (QAbstractButton* button : box->buttons()) {
                seen.append(QString::number(box->standardButton(button), 16));
            }
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const int answer =
            prompter.Message(Prompter::Kind::Confirmation, QString(), QStringLiteral("Save?"),
                             Prompter::Yes | Prompter::No | Prompter::Cancel);
        QCOMPARE(answer, int(Prompter::Cancel));
        QCOMPARE(title, QStringLiteral("Confirm"));
        seen.sort();
        QStringList expected{QString::number(QMessageBox::Yes, 16),
                             QString::number(QMessageBox::No, 16),
                             QString::number(QMessageBox::Cancel, 16)};
        expected.sort();
        QCOMPARE(seen, expected);

        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) box->button(QMessageBox::Retry)->click();
        });
        QCOMPARE(prompter.Message(Prompter::Kind::Error, QStringLiteral("Saving"),
                                  QStringLiteral("Failed"), Prompter::Abort | Prompter::Retry),
                 int(Prompter::Retry));
    }

    void theFileNameBoxBrowsesThroughThePrompter() {
        QTemporaryDir dir;
        QFile existing(dir.filePath(QStringLiteral("noext")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        FileNameEdit box;
        box.SetFilter(QStringLiteral("Keyword File (*.key)|*.key"));
        box.SetDialogTitle(QStringLiteral("Keywords"));
        box.SetDefaultExtension(QStringLiteral("*.key"));
        box.SetFileName(QStringLiteral("/old.key"));
        QSignalSpy chosen(&box, &FileNameEdit::FileChosen);
        QSignalSpy edited(&box, &FileNameEdit::Edited);
        QSignalSpy clicked(&box, &FileNameEdit::Clicked);

        prompter.AnswerOpenFileName(QString(), false);
        QTest::mouseClick(box.BrowseButton(), Qt::LeftButton);
        QCOMPARE(box.FileName(), QStringLiteral("/old.key"));
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(prompter.Questions().last().title, QStringLiteral("Keywords"));
        QCOMPARE(prompter.Questions().last().value, QStringLiteral("/old.key"));

        // The default extension goes on a new name without one, not on an existing file.
        prompter.AnswerOpenFileName(dir.filePath(QStringLiteral("new")));
        QVERIFY(box.Browse());
        QCOMPARE(box.FileName(), dir.filePath(QStringLiteral("new.key")));
        prompter.AnswerOpenFileName(dir.filePath(QStringLiteral("noext")));
        box.SetBrowseStart(QStringLiteral("/preset"));
        QVERIFY(box.Browse());
        QCOMPARE(box.FileName(), dir.filePath(QStringLiteral("noext")));
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(prompter.Questions().last().value, QStringLiteral("/preset"));
        prompter.AnswerOpenFileName(QString(), false);
        box.Browse();
        QCOMPARE(prompter.Questions().last().value, box.FileName());  // the preset is used once
        QCOMPARE(edited.count(), 0);
        QTest::keyClicks(box.LineEdit(), QStringLiteral("ab"));
        QCOMPARE(edited.count(), 2);
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }
};

QUINKLE_GUI_TEST(PrompterTest);

}  // namespace
}  // namespace quinkle

#include "PrompterTest.moc"
