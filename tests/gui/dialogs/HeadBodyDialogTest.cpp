// The Create Header and Create Body dialogs driven through their buttons against a fake host.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "GuiTest.h"
#include "dialogs/FakeInsertHost.h"
#include "engine/html/HeadBody.h"
#include "gui/dialogs/BodyDialog.h"
#include "gui/dialogs/HeadDialog.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

const QString kGraphicFilter =
    QStringLiteral("Graphic Files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|All Files (*.*)|*.*");
const QString kMidiFilter = QStringLiteral("MIDI Files (*.mid)|*.mid|All Files (*.*)|*.*");

using test::Click;
using test::Find;
using FakeHost = test::FakeInsertHost;

void Retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

QString Generator() { return QString::fromStdString(GeneratorText()); }

QString Meta(const QString& name, const QString& content) {
    return QStringLiteral("<META Name=\"%1\" Content=\"%2\">\r\n").arg(name, content);
}

const QString kDefaultColours =
    QStringLiteral(" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" vlink=\"#800080\"");

class HeadBodyDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headWithEmptyFieldsInsertsTheFourLineSkeletonAsOneHeaderStep() {
        FakeHost host;
        HeadDialog dialog(host);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmHead"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Quinkle - Create Header"));
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);

        dialog.show();
        Click(dialog, "btnOK");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text,
                 QStringLiteral("<head>\r\n") + Meta(QStringLiteral("generator"), Generator()) +
                     QStringLiteral("<title>Generated with ") + Generator() +
                     QStringLiteral("</title>\r\n</head>\r\n"));
        QCOMPARE(host.insertions[0].stepBack, 0);
        QCOMPARE(host.insertions[0].code, 37);
    }

    void headKeepsTypedValuesAndTheDescriptionsLineBreaks() {
        FakeHost host;
        HeadDialog dialog(host);
        dialog.show();
        QTest::keyClicks(Find<QLineEdit>(dialog, "TitleEdit"), QStringLiteral("A <b>\"page\""));
        QTest::keyClicks(Find<QLineEdit>(dialog, "KeyWEdit"), QStringLiteral(" x, y "));
        auto* description = Find<QPlainTextEdit>(dialog, "mDesc");
        QTest::keyClicks(description, QStringLiteral("first"));
        QTest::keyClick(description, Qt::Key_Return);
        QTest::keyClicks(description, QStringLiteral("second"));
        Click(dialog, "btnOK");

        // Nothing is trimmed or escaped; the order is generator, keywords, title, description.
        const QString expected =
            QStringLiteral("<head>\r\n") + Meta(QStringLiteral("generator"), Generator()) +
            Meta(QStringLiteral("keywords"), QStringLiteral(" x, y ")) +
            QStringLiteral("<title>A <b>\"page\"</title>\r\n") +
            Meta(QStringLiteral("Description"), QStringLiteral("first\r\nsecond")) +
            QStringLiteral("</head>\r\n");
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text, expected);

        // The fields are still there the next time the dialog opens.
        dialog.show();
        Click(dialog, "btnOK");
        QCOMPARE(host.insertions.size(), 2);
        QCOMPARE(host.insertions[1].text, expected);
    }

    void cancelEscapeAndTheCloseBoxInsertNothingAndF1OpensHelp() {
        FakeHost host;
        HeadDialog head(host);
        BodyDialog body(host);
        for (QDialog* dialog : {static_cast<QDialog*>(&head), static_cast<QDialog*>(&body)}) {
            dialog->show();
            Click(*dialog, "btnCancel");
            QVERIFY(!dialog->isVisible());

            dialog->show();
            QApplication::setActiveWindow(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
            QTest::keyClick(focus, Qt::Key_F1);
            Click(*dialog, "btnHelp");
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());

            dialog->show();
            QVERIFY(dialog->close());
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
        }
        QVERIFY(host.insertions.isEmpty());
        QCOMPARE(host.helpTopics, QStringList({"Create_Header_Dialog", "Create_Header_Dialog",
                                               "Create_Body_Dialog", "Create_Body_Dialog"}));
    }

    void bodyNeverShownGivesTheDefaultColoursAndOkInsertsOneBodyStep() {
        FakeHost host;
        BodyDialog dialog(host);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmBody"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("HTML Quinkle - Create Body..."));
        const QString defaults =
            QStringLiteral("<body") + kDefaultColours + QStringLiteral(">\r\n");
        QCOMPARE(dialog.BodyTag(), defaults);
        QCOMPARE(dialog.Fields().MidiPlays, 0);

        dialog.show();
        Click(dialog, "btnOK");
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text, defaults);
        QCOMPARE(host.insertions[0].stepBack, 0);
        QCOMPARE(host.insertions[0].code, 36);
    }

    void bodySoundLoopsOnlyFromTwoPlays() {
        FakeHost host;
        BodyDialog dialog(host);
        dialog.show();
        Retype(Find<FileNameEdit>(dialog, "BGMidiEdit")->LineEdit(), QStringLiteral("tune.mid"));
        auto* plays = Find<QSpinBox>(dialog, "MidiPlays");
        const QString tag = QStringLiteral("<body") + kDefaultColours + QStringLiteral(">\r\n");

        const QString once = tag + QStringLiteral("<bgsound src=\"tune.mid\">\r\n") +
                             QStringLiteral(
                                 "<embed src=\"tune.mid\" autostart=TRUE hidden=true "
                                 "loop=FALSE>\r\n");
        QCOMPARE(dialog.BodyTag(), once);
        plays->setValue(1);
        QCOMPARE(dialog.BodyTag(), once);

        Retype(Find<QLineEdit>(*plays, "qt_spinbox_lineedit"), QStringLiteral("3"));
        Click(dialog, "btnOK");
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text,
                 tag + QStringLiteral("<bgsound src=\"tune.mid\" loop=3>\r\n") +
                     QStringLiteral("<embed src=\"tune.mid\" autostart=TRUE hidden=true "
                                    "loop=TRUE>\r\n"));
    }

    void bodyLeavesOutABlankColourWithoutRepeatingAnother() {
        FakeHost host;
        BodyDialog dialog(host);
        dialog.show();
        Retype(Find<QLineEdit>(dialog, "TxtCol"), QStringLiteral("   "));
        Retype(Find<QLineEdit>(dialog, "LinksCol"), QStringLiteral(" #00FF00 "));
        QCOMPARE(
            dialog.BodyTag(),
            QStringLiteral("<body bgcolor=\"#FFFFFF\" link=\"#00FF00\" vlink=\"#800080\">\r\n"));
    }

    void browsingKeepsTheFolderOnlyWhenUseFileDirIsTicked() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        FakeHost host;
        host.folders[QStringLiteral("GFXPath")] = QStringLiteral("/pictures/");
        BodyDialog dialog(host);
        dialog.show();
        auto* graphic = Find<FileNameEdit>(dialog, "BGGfxEdit");
        auto* useFileDir = Find<QCheckBox>(dialog, "gDir");
        QVERIFY(!useFileDir->isChecked());

        const QString chosen = QStringLiteral("C:\\My Pages\\back.gif");
        useFileDir->setChecked(true);
        prompter.AnswerOpenFileName(chosen);
        QTest::mouseClick(graphic->BrowseButton(), Qt::LeftButton);
        QCOMPARE(graphic->FileName(), chosen);
        QVERIFY(dialog.BodyTag().startsWith(
            QStringLiteral("<body background=\"/My Pages/back.gif\" bgcolor=")));
        QCOMPARE(prompter.Questions().last().filter, kGraphicFilter);
        QCOMPARE(prompter.Questions().last().value, QStringLiteral("/pictures/"));

        useFileDir->setChecked(false);
        QCOMPARE(graphic->FileName(), chosen);  // the box changes no name already there
        prompter.AnswerOpenFileName(chosen);
        QTest::mouseClick(graphic->BrowseButton(), Qt::LeftButton);
        QCOMPARE(graphic->FileName(), QStringLiteral("back.gif"));
        QVERIFY(dialog.BodyTag().startsWith(QStringLiteral("<body background=\"back.gif\" ")));

        // The sound file has its own filter, folder key and box; a quoted name loses both quotes.
        auto* sound = Find<FileNameEdit>(dialog, "BGMidiEdit");
        prompter.AnswerOpenFileName(QStringLiteral("\"/music/My Song.mid\""));
        QTest::mouseClick(sound->BrowseButton(), Qt::LeftButton);
        QCOMPARE(sound->FileName(), QStringLiteral("My Song.mid"));
        QCOMPARE(prompter.Questions().last().filter, kMidiFilter);
        QCOMPARE(prompter.Questions().last().value, QStringLiteral("/program/"));

        // A cancelled dialog changes and remembers nothing.
        prompter.AnswerOpenFileName(QStringLiteral("/elsewhere/other.mid"), false);
        QTest::mouseClick(sound->BrowseButton(), Qt::LeftButton);
        QCOMPARE(sound->FileName(), QStringLiteral("My Song.mid"));

        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(host.remembered, QStringList({"GFXPath=" + chosen, "GFXPath=" + chosen,
                                               "MIDIPath=\"/music/My Song.mid\""}));
    }

    void colourButtonsWriteTheNameOrTheHexFormAndCancelKeepsTheField() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        FakeHost host;
        BodyDialog dialog(host);
        dialog.show();

        prompter.AnswerColour(QColor(255, 0, 0));
        Click(dialog, "btnBGCol");
        prompter.AnswerColour(QColor(255, 0, 1));
        Click(dialog, "btnTxtCol");
        prompter.AnswerColour(QColor(0, 255, 0), false);
        Click(dialog, "btnLinksCol");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        // Each chooser starts on its field's colour, however the field writes it.
        QCOMPARE(prompter.Questions()[1].colour, QColor(0, 0, 0));
        QCOMPARE(prompter.Questions()[2].colour, QColor(0, 0, 255));

        QCOMPARE(Find<QLineEdit>(dialog, "BGCol")->text(), QStringLiteral("#FF0000"));
        QCOMPARE(Find<QLineEdit>(dialog, "TxtCol")->text(), QStringLiteral("#FF0001"));
        QCOMPARE(Find<QLineEdit>(dialog, "LinksCol")->text(), QStringLiteral("0000FF"));
        Click(dialog, "btnOK");
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text,
                 QStringLiteral("<body bgcolor=\"#FF0000\" text=\"#FF0001\" link=\"#0000FF\" "
                                "vlink=\"#800080\">\r\n"));
    }
};

QUINKLE_GUI_TEST(HeadBodyDialogTest);

}  // namespace
}  // namespace quinkle

#include "HeadBodyDialogTest.moc"
