// The Table, Link, Image and Horizontal Rule dialogs driven through their controls against a
// fake host: what OK hands over, what the fields keep, browsing, pictures and help.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolButton>

#include <functional>
#include <memory>

#include "GuiTest.h"
#include "dialogs/FakeInsertHost.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/ImageDialog.h"
#include "gui/dialogs/LinkDialog.h"
#include "gui/dialogs/RuleDialog.h"
#include "gui/dialogs/TableDialog.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle::test {
/// Makes a dialog over a host, for the tables that run over every dialog.
using MakeDialog = std::function<InsertDialog*(InsertHost&)>;
/// Fills (or empties) fields of a dialog.
using Fill = std::function<void(QWidget&)>;
}  // namespace quinkle::test

Q_DECLARE_METATYPE(quinkle::test::MakeDialog)
Q_DECLARE_METATYPE(quinkle::test::Fill)

namespace quinkle {
namespace {

using test::Click;
using test::FakeInsertHost;
using test::Find;

using test::Fill;
using test::MakeDialog;

template <typename Dialog>
MakeDialog Maker() {
    return [](InsertHost& host) { return new Dialog(host); };
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void Choose(QWidget& dialog, const char* list, int index) {
    Find<QComboBox>(dialog, list)->setCurrentIndex(index);
}

void SetSpin(QWidget& dialog, const char* spin, int value) {
    Find<QSpinBox>(dialog, spin)->setValue(value);
}

// The dialog saved as a picture in the folder QUINKLE_SCREENSHOTS names, to look at.
void SaveScreenshot(QWidget& dialog, const QString& suffix = QString()) {
    const QString folder = qEnvironmentVariable("QUINKLE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    dialog.grab().save(QDir(folder).filePath(dialog.objectName() + suffix + ".png"));
}

class HtmlDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void okInsertsTheFieldsAsOneStepAndTheFieldsStay_data() {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Fill>("fill");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("code");
        const Fill nothing = [](QWidget&) {};

        QTest::newRow("table, defaults")
            << Maker<TableDialog>() << "frmTable"
            << "HTML Quinkle - Insert A Table" << nothing
            << "<table width=\"100%\" border=0 cellspacing=2>\r\n <tr>\r\n  <TD>\r\n"
               "<!--  Table row:1, col:1  //-->\r\n  </td>\r\n </tr>\r\n</table>\r\n"
            << int(ucTable);
        QTest::newRow("table, 1 by 2 with every field")
            << Maker<TableDialog>() << "frmTable"
            << "HTML Quinkle - Insert A Table" << Fill([](QWidget& d) {
                   SetSpin(d, "SpinCols", 2);
                   SetSpin(d, "spinWidth", 60);
                   SetSpin(d, "SpinThick", 1);
                   Choose(d, "cbAlign", 2);
                   Choose(d, "cbHAlign", 1);
                   Choose(d, "cbVAlign", 1);
               })
            << "<table align=Right width=\"60%\" border=1 cellspacing=2>\r\n <tr>\r\n"
               "  <TD align=Center valign=Middle>\r\n<!--  Table row:1, col:1  //-->\r\n"
               "  </td>\r\n  <TD align=Center valign=Middle>\r\n"
               "<!--  Table row:1, col:2  //-->\r\n  </td>\r\n </tr>\r\n</table>\r\n"
            << int(ucTable);
        QTest::newRow("link page")
            << Maker<LinkDialog>() << "frmLink"
            << "HTML Quinkle - Insert a Link..." << Fill([](QWidget& d) {
                   Retype(Find<FileNameEdit>(d, "EditLink")->LineEdit(), "page.htm");
                   Retype(Find<QLineEdit>(d, "EditText"), "");
               })
            << "<a href=\"page.htm\">page.htm</a>" << int(ucLink);
        QTest::newRow("mail page")
            << Maker<LinkDialog>() << "frmLink"
            << "HTML Quinkle - Insert a Link..." << Fill([](QWidget& d) {
                   static_cast<LinkDialog&>(d).ShowPage(LinkPage::MailTo);
                   Retype(Find<QLineEdit>(d, "EditEmailLink"), "me@example.org");
                   Retype(Find<QLineEdit>(d, "EditEMailText"), "Write");
               })
            << "<a href=\"mailto:me@example.org\">Write</a>" << int(ucLink);
        QTest::newRow("name page") << Maker<LinkDialog>() << "frmLink"
                                   << "HTML Quinkle - Insert a Link..." << Fill([](QWidget& d) {
                                          Find<QTabWidget>(d, "PageControl1")->setCurrentIndex(2);
                                          QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "top");
                                      })
                                   << "<a name=\"top\"></a>" << int(ucLink);
        QTest::newRow("image, alt and bottom, size unknown")
            << Maker<ImageDialog>() << "frmImage"
            << "HTML Quinkle - Insert an Image..." << Fill([](QWidget& d) {
                   Retype(Find<FileNameEdit>(d, "BGGfxEdit")->LineEdit(), "C:\\no\\such.gif");
                   QTest::keyClicks(Find<QLineEdit>(d, "edAlt"), "A \"cat\"");
                   Find<QRadioButton>(d, "rbBottom")->click();
                   SetSpin(d, "sWidth", 50);
               })
            << "<img src=\"/no/such.gif\" alt=\"A &quot;cat&quot;\" align=bottom width=50%>\r\n"
            << int(ucInsertImage);
        QTest::newRow("rule, defaults") << Maker<RuleDialog>() << "frmHLine"
                                        << "HTML Quinkle - Insert a Horizontal Rule" << nothing
                                        << "<hr>" << int(ucHorizontalLine);
        QTest::newRow("rule, every field")
            << Maker<RuleDialog>() << "frmHLine"
            << "HTML Quinkle - Insert a Horizontal Rule" << Fill([](QWidget& d) {
                   SetSpin(d, "Widthsp", 80);
                   SetSpin(d, "Heightsp", 5);
                   Retype(Find<QLineEdit>(d, "ceColour"), "Red");
                   Find<QComboBox>(d, "cbAlign")->setCurrentText("left");
                   Find<QCheckBox>(d, "cbSolid")->click();
               })
            << "<hr width=\"80%\" size=\"5\" color=\"#FF0000\" align=\"left\" noshade>"
            << int(ucHorizontalLine);
    }

    void okInsertsTheFieldsAsOneStepAndTheFieldsStay() {
        QFETCH(MakeDialog, make);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(Fill, fill);
        QFETCH(QString, expected);
        QFETCH(int, code);
        FakeInsertHost host;
        std::unique_ptr<InsertDialog> dialog(make(host));
        QCOMPARE(dialog->objectName(), name);
        QCOMPARE(dialog->windowTitle(), caption);
        QVERIFY(dialog->isModal());
        dialog->show();
        fill(*dialog);
        Click(*dialog, "btnOK");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text, expected);
        QCOMPARE(host.insertions[0].stepBack, 0);
        QCOMPARE(host.insertions[0].code, code);

        // Shown again, the dialog still holds the same fields (and page).
        dialog->show();
        Click(*dialog, "btnOK");
        QCOMPARE(host.insertions.size(), 2);
        QCOMPARE(host.insertions[1].text, expected);
    }

    void cancelEscapeAndEmptyFieldsInsertNothingAndF1OpensTheTopic_data() {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<Fill>("empty");
        QTest::newRow("table") << Maker<TableDialog>() << "Insert_A_Table_Dialog" << Fill();
        QTest::newRow("link") << Maker<LinkDialog>() << "The_Insert_A_Link_Dialog"
                              << Fill([](QWidget& d) {
                                     Find<FileNameEdit>(d, "EditLink")->SetFileName("");
                                 });
        QTest::newRow("image") << Maker<ImageDialog>() << "Insert_An_Image_Dialog"
                               << Fill([](QWidget&) {});
        QTest::newRow("rule") << Maker<RuleDialog>() << "The_Horizontal_Rule_Dialog" << Fill();
    }

    void cancelEscapeAndEmptyFieldsInsertNothingAndF1OpensTheTopic() {
        QFETCH(MakeDialog, make);
        QFETCH(QString, topic);
        QFETCH(Fill, empty);
        FakeInsertHost host;
        std::unique_ptr<InsertDialog> dialog(make(host));
        dialog->show();
        Click(*dialog, "btnCancel");
        QVERIFY(!dialog->isVisible());

        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        SaveScreenshot(*dialog);
        QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog.get();
        QTest::keyClick(focus, Qt::Key_F1);
        Click(*dialog, "btnHelp");
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(host.insertions.isEmpty());
        QCOMPARE(host.helpTopics, QStringList({topic, topic}));

        // The field the result needs left empty: OK closes and inserts nothing.
        if (empty) {
            dialog->show();
            empty(*dialog);
            Click(*dialog, "btnOK");
            QVERIFY(!dialog->isVisible());
            QVERIFY(host.insertions.isEmpty());
        }
    }

    // Regression: the buttons came first in the focus chain, so a dialog opened on OK and Tab
    // went to Cancel. The link dialog starts in its page's first field, not on the page tabs.
    void focusStartsInTheFieldsAndReturnIsOk_data() {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QString>("typed");
        QTest::newRow("table") << Maker<TableDialog>() << "3";
        QTest::newRow("link") << Maker<LinkDialog>() << "x";
        QTest::newRow("image") << Maker<ImageDialog>() << "a.gif";
        QTest::newRow("rule") << Maker<RuleDialog>() << "50";
    }

    void focusStartsInTheFieldsAndReturnIsOk() {
        QFETCH(MakeDialog, make);
        QFETCH(QString, typed);
        FakeInsertHost host;
        std::unique_ptr<InsertDialog> dialog(make(host));
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QWidget* first = dialog->focusWidget();
        QVERIFY(first != nullptr);
        QVERIFY2(qobject_cast<QLineEdit*>(first) || qobject_cast<QAbstractSpinBox*>(first),
                 first->metaObject()->className());
        QTest::keyClicks(first, typed);
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(host.insertions.size(), 1);
    }

    void linkBrowsePicksAShortcutsAddressAndName() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        QTemporaryDir folder;
        const QString withUrl = folder.filePath("My Site.url");
        const QString withoutUrl = folder.filePath("broken.url");
        for (const auto& [path, text] :
             {std::pair{withUrl, QByteArray("[InternetShortcut]\r\nURL=https://a.example/\r\n")},
              std::pair{withoutUrl, QByteArray("[InternetShortcut]\r\n")}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        FakeInsertHost host;
        host.folders["LinkPath"] = "/favourites/";
        LinkDialog dialog(host);
        dialog.show();
        auto* link = Find<FileNameEdit>(dialog, "EditLink");
        auto* text = Find<QLineEdit>(dialog, "EditText");

        prompter.AnswerOpenFileName(withUrl);
        QTest::mouseClick(link->BrowseButton(), Qt::LeftButton);
        QCOMPARE(link->FileName(), QStringLiteral("https://a.example/"));
        QCOMPARE(text->text(), QStringLiteral("My Site"));
        QCOMPARE(prompter.Questions().last().filter,
                 QStringLiteral("Favorites (*.url)|*.url|All Files (*.*)|*.*"));
        QCOMPARE(prompter.Questions().last().value, QStringLiteral("/favourites/"));

        prompter.AnswerOpenFileName(folder.filePath("other.url"), false);
        QTest::mouseClick(link->BrowseButton(), Qt::LeftButton);
        QCOMPARE(link->FileName(), QStringLiteral("https://a.example/"));
        QCOMPARE(text->text(), QStringLiteral("My Site"));

        prompter.AnswerOpenFileName(withoutUrl);
        QTest::mouseClick(link->BrowseButton(), Qt::LeftButton);
        QCOMPARE(link->FileName(), QStringLiteral("ERROR Getting URL!"));
        QCOMPARE(text->text(), QStringLiteral("broken"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(host.remembered, QStringList({"LinkPath=" + withUrl, "LinkPath=" + withoutUrl}));
    }

    void nameExampleFollowsTheName() {
        FakeInsertHost host;
        LinkDialog dialog(host);
        const auto plain = [&] {
            return QTextDocumentFragment::fromHtml(dialog.ExampleHtml()).toPlainText();
        };
        QCOMPARE(plain(), QStringLiteral("<a href=\"somepage.htm\"></a>"));
        QTest::keyClicks(Find<QLineEdit>(dialog, "EditName"), "a<b");
        QCOMPARE(plain(), QStringLiteral("<a href=\"somepage.htm#a<b\">a<b</a>"));
        QVERIFY(dialog.ExampleHtml().contains("color:red"));
        QVERIFY(dialog.ExampleHtml().contains("underline"));
        dialog.ShowPage(LinkPage::Name);
        dialog.show();
        SaveScreenshot(dialog, "-name");
    }

    void imageReadsThePicturesSizeAndShowsIt_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("PNG") << "png";
        QTest::newRow("JPEG") << "jpg";
    }

    void imageReadsThePicturesSizeAndShowsIt() {
        QFETCH(QString, format);
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        QTemporaryDir folder;
        const QString path = folder.filePath("my cat." + format);
        QImage picture(320, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path));

        FakeInsertHost host;
        ImageDialog dialog(host);
        dialog.show();
        auto* file = Find<FileNameEdit>(dialog, "BGGfxEdit");
        auto* useFileDir = Find<QCheckBox>(dialog, "CheckBox1");
        auto* preview = Find<QLabel>(dialog, "imgPreview");
        QVERIFY(!useFileDir->isChecked());

        // Unticked: the name loses its folder, but the picture is still the browsed one.
        prompter.AnswerOpenFileName(path);
        QTest::mouseClick(file->BrowseButton(), Qt::LeftButton);
        QCOMPARE(prompter.Questions().last().title, QStringLiteral("Select Image"));
        QCOMPARE(file->FileName(), "my cat." + format);
        QCOMPARE(dialog.ImageSize(), QSize(320, 200));
        QVERIFY(!preview->pixmap().isNull());
        QCOMPARE(preview->pixmap().size(), QSize(160, 100));
        SaveScreenshot(dialog, "-" + format);
        SetSpin(dialog, "sHeight", 50);
        QCOMPARE(
            QString::fromStdString(dialog.Generated().Text),
            "<img src=\"my cat." + format + "\" alt=\"\" align=middle width=320 height=100>\r\n");

        // Ticked: the whole path stays; clicking the box cuts it down again.
        useFileDir->click();
        prompter.AnswerOpenFileName(path);
        QTest::mouseClick(file->BrowseButton(), Qt::LeftButton);
        QCOMPARE(file->FileName(), path);
        QCOMPARE(dialog.ImageSize(), QSize(320, 200));
        useFileDir->click();
        QVERIFY(!useFileDir->isChecked());
        QCOMPARE(file->FileName(), "my cat." + format);
        QCOMPARE(dialog.ImageSize(), QSize(320, 200));
        QCOMPARE(host.remembered, QStringList({"GFXPath=" + path, "GFXPath=" + path}));

        // A name typed that names no picture: no size, no preview, percentages of the page.
        Retype(file->LineEdit(), QStringLiteral("gone.png"));
        QVERIFY(!dialog.ImageSize().isValid());
        QVERIFY(preview->pixmap().isNull());
        QCOMPARE(QString::fromStdString(dialog.Generated().Text),
                 QStringLiteral("<img src=\"gone.png\" alt=\"\" align=middle height=50%>\r\n"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

    void ruleColourButtonWritesTheHexFormAndCancelKeepsTheField() {
        ScriptedPrompter prompter;
        ScopedAppPrompter installed(prompter);
        FakeInsertHost host;
        RuleDialog dialog(host);
        dialog.show();
        auto* colour = Find<QLineEdit>(dialog, "ceColour");
        prompter.AnswerColour(QColor(255, 0, 1));
        Click(dialog, "btnceColour");
        QCOMPARE(colour->text(), QStringLiteral("#FF0001"));
        prompter.AnswerColour(QColor(0, 0, 255), false);
        Click(dialog, "btnceColour");
        QCOMPARE(colour->text(), QStringLiteral("#FF0001"));
        QCOMPARE(prompter.Questions().last().colour, QColor(255, 0, 1));
        QCOMPARE(QString::fromStdString(dialog.Generated().Text),
                 QStringLiteral("<hr color=\"#FF0001\">"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }
};

QUINKLE_GUI_TEST(HtmlDialogsTest);

}  // namespace
}  // namespace quinkle

#include "HtmlDialogsTest.moc"
