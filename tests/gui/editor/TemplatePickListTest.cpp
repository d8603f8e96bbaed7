// Code templates and auto-correct typed into the editor widget, and the template pick list.
#include <QApplication>
#include <QDir>
#include <QTest>

#include "GuiTest.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/editor/TemplatePickList.h"

namespace quinkle {
namespace {

std::string Stored(const SourceEditorWidget& widget) {
    const TextStore& store = widget.Editor().Store();
    return store.GetText(0, store.CharCount());
}

class TemplatePickListTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceEditorWidget> m_widget;

    SourceEditorWidget& Shown(const char* text = "") {
        m_widget = std::make_unique<SourceEditorWidget>();
        m_widget->resize(480, 300);
        EditorSettings& settings = m_widget->Editor().Settings();
        settings.Templates.AddTemplate("if", "if statement", "if (|)");
        settings.Templates.AddTemplate("for", "counted loop", "for (|;;) {\r}");
        settings.Templates.AddTemplate("forall", "loop over every element", "forall (|)");
        settings.Templates.AddTemplate("table", "table with a header row", "<table>\r|\r</table>");
        settings.AutoCorrect.AddTemplate("teh", "", "the");
        m_widget->Editor().SetText(text);
        m_widget->Editor().SetSel(0x7FFFFFF, 0x7FFFFFF);
        m_widget->show();
        m_widget->activateWindow();
        m_widget->setFocus();
        if (!QTest::qWaitForWindowExposed(m_widget.get())) qWarning("editor not exposed");
        return *m_widget;
    }

    // Opens the pick list over the partial word `typed`.
    TemplatePickList* PickFor(SourceEditorWidget& widget, const char* typed) {
        QTest::keyClicks(&widget, typed);
        QTest::keyClick(&widget, Qt::Key_J, Qt::ControlModifier);
        return widget.PickList();
    }

private Q_SLOTS:
    void cleanup() { m_widget.reset(); }

    void ctrlJExpandsAndAutoCorrectFixesWholeWords() {
        SourceEditorWidget& widget = Shown("x");
        QTest::keyClicks(&widget, " if");
        QTest::keyClick(&widget, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(Stored(widget), std::string("x if ()"));
        QCOMPARE(widget.Editor().Caret(), 6);
        QTest::keyClick(&widget, Qt::Key_End);
        QTest::keyClicks(&widget, " teh steh teh.");
        QCOMPARE(Stored(widget), std::string("x if () the steh the."));
        QVERIFY(widget.PickList() == nullptr);
    }

    void thePickListOffersTheTemplatesAndAKeyChoosesOne() {
        SourceEditorWidget& widget = Shown("a ");
        TemplatePickList* list = PickFor(widget, "fo");
        QVERIFY(list != nullptr);
        QVERIFY(list->isVisible());
        QVERIFY(list->hasFocus());
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->SelectedName(), QStringLiteral("for"));
        QCOMPARE(widget.Editor().SelText(), std::string("fo"));
        // Under the caret line and inside the editor.
        QVERIFY(list->geometry().top() >= widget.CaretCell().bottom());
        QVERIFY(widget.rect().contains(list->geometry()));

        if (const QString folder = qEnvironmentVariable("QUINKLE_SCREENSHOTS"); !folder.isEmpty())
            widget.grab().save(QDir(folder).filePath(QStringLiteral("template-pick-list.png")));

        QTest::keyClicks(list, "ta");  // "t" selects "table", "ta" keeps it
        QCOMPARE(list->SelectedName(), QStringLiteral("table"));
        QTest::keyClicks(list, "fora");  // no name starts "taf": the search starts again
        QCOMPARE(list->SelectedName(), QStringLiteral("forall"));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QVERIFY(widget.hasFocus());
        QCOMPARE(Stored(widget), std::string("a forall ()"));
        QCOMPARE(widget.Editor().Caret(), 10);
    }

    void escapeClosesTheListAndGivesBackTheSelection() {
        SourceEditorWidget& widget = Shown("a ");
        TemplatePickList* list = PickFor(widget, "ta");
        QCOMPARE(list->SelectedName(), QStringLiteral("table"));
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QCOMPARE(Stored(widget), std::string("a ta"));
        QCOMPARE(widget.Editor().Anchor(), 4);
        QCOMPARE(widget.Editor().Caret(), 4);
        QTest::keyClick(&widget, Qt::Key_X);  // typing goes on in the editor
        QCOMPARE(Stored(widget), std::string("a tax"));
    }

    // The focused list loses its focus while the editor is being destroyed: it must not
    // call back into the editor then.
    void closingTheEditorWithTheListOpenLeavesItAlone() {
        SourceEditorWidget& widget = Shown("a ");
        TemplatePickList* list = PickFor(widget, "fo");
        QVERIFY(list->hasFocus());
        m_widget.reset();
    }

    void aDoubleClickExpandsAndTheListStaysInsideTheEditorAtTheBottom() {
        std::string text;
        for (int i = 0; i < 40; ++i) text += "line\r";
        SourceEditorWidget& widget = Shown(text.c_str());
        widget.ScrollCaret();
        TemplatePickList* list = PickFor(widget, "zz");  // nothing contains "zz"
        QVERIFY(list->isVisible());
        QVERIFY(list->geometry().bottom() <= widget.CaretCell().top());  // above the line
        QVERIFY(widget.rect().contains(list->geometry()));
        QListWidgetItem* item = list->item(1);
        const QRect cell = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(!list->isVisible());
        QVERIFY(Stored(widget).ends_with("zzforall ()"));
    }
};

}  // namespace

QUINKLE_GUI_TEST(TemplatePickListTest);

}  // namespace quinkle

#include "TemplatePickListTest.moc"
