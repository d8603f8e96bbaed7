// The Find and Replace windows driven through their real controls, the replace question and
// the search messages answered by a scripted Prompter, and range marks on the screen.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "GuiTest.h"
#include "gui/editor/FindReplaceDialog.h"
#include "gui/editor/SourceEditorPainter.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

std::string Stored(const SourceEditorWidget& widget) {
    const TextStore& store = widget.Editor().Store();
    return store.GetText(0, store.CharCount());
}

template <class Control>
Control* Find(QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
}

class FindReplaceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceEditorWidget> m_widget;
    ScriptedPrompter m_prompter;

    SourceEditorWidget& Shown(const char* text) {
        m_widget = std::make_unique<SourceEditorWidget>();
        m_widget->resize(640, 300);
        m_widget->Editor().SetText(text);
        m_widget->show();
        if (!QTest::qWaitForWindowExposed(m_widget.get())) qWarning("editor not exposed");
        return *m_widget;
    }

    std::pair<int32_t, int32_t> Selection() const {
        return {m_widget->Editor().SelStart(), m_widget->Editor().SelEnd()};
    }

private Q_SLOTS:
    void init() {
        m_prompter.Clear();
        SetAppPrompter(&m_prompter);
    }
    void cleanup() {
        m_widget.reset();
        SetAppPrompter(nullptr);
    }

    void findWindowStartsWithTheSelectionAndFindsOnwards() {
        SourceEditorWidget& widget = Shown("one two one Two");
        widget.Editor().SetSel(4, 7);
        widget.ShowFind(0);
        FindReplaceDialog* window = widget.FindWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(Find<QLineEdit>(window, "edtFindWhat")->text(), QStringLiteral("two"));
        QVERIFY(!Find<QCheckBox>(window, "chkMatchCase")->isChecked());
        QVERIFY(Find<QRadioButton>(window, "rbDown")->isChecked());

        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(12, 15));  // "Two": case does not count
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(m_prompter.Questions().size(), 1);
        QCOMPARE(m_prompter.Questions()[0].kind, Prompter::Kind::Information);
        QCOMPARE(m_prompter.Questions()[0].text,
                 QStringLiteral("Search string \"two\" not found."));
        QCOMPARE(Selection(), std::make_pair(12, 15));  // the selection stays

        // Match case from the flags; F3's slot searches on with the remembered options.
        widget.Editor().SetSel(0, 0);
        widget.ShowFind(sflMatchCase, QStringLiteral("Two"));
        QVERIFY(Find<QCheckBox>(window, "chkMatchCase")->isChecked());
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(12, 15));
        widget.Editor().SetSel(0, 0);
        QVERIFY(widget.FindNext());
        QCOMPARE(Selection(), std::make_pair(12, 15));
    }

    void upSearchesBackwardsAndWholeWordsSkipParts() {
        SourceEditorWidget& widget = Shown("cat concat cat cats");
        widget.Editor().SetSel(19, 19);
        widget.ShowFind(0, QStringLiteral("cat"));
        FindReplaceDialog* window = widget.FindWindow();
        Find<QRadioButton>(window, "rbUp")->setChecked(true);
        Find<QCheckBox>(window, "chkWholeWord")->setChecked(true);
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(11, 14));
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(0, 3));
        QCOMPARE(widget.Editor().SearchFlags() & (sflBackwards | sflWholeWord),
                 uint32_t(sflBackwards | sflWholeWord));
    }

    void expressionModeComesFromTheCallerAndErrorsAreShown() {
        SourceEditorWidget& widget = Shown("<td a><td b>");
        widget.Editor().SetSel(0, 3);
        widget.ShowFind(sflRegExp);
        FindReplaceDialog* window = widget.FindWindow();
        QVERIFY(Find<QCheckBox>(window, "chkRegExp")->isChecked());
        QVERIFY(!Find<QCheckBox>(window, "chkRegExp")->isEnabled());
        QVERIFY(Find<QLineEdit>(window, "edtFindWhat")->text().isEmpty());  // not preset

        Find<QLineEdit>(window, "edtFindWhat")->setText(QStringLiteral("<td[^>]*>"));
        widget.Editor().SetSel(0, 0);
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(0, 6));
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(Selection(), std::make_pair(6, 12));

        Find<QLineEdit>(window, "edtFindWhat")->setText(QStringLiteral("[z-a]"));
        QTest::mouseClick(Find<QPushButton>(window, "btnFindNext"), Qt::LeftButton);
        QCOMPARE(m_prompter.Questions().size(), 1);
        QCOMPARE(m_prompter.Questions()[0].kind, Prompter::Kind::Error);
        QCOMPARE(m_prompter.Questions()[0].text, QStringLiteral("Invalid range"));
    }

    void replaceAsksForEachOccurrence() {
        SourceEditorWidget& widget = Shown("cat cat cat cat");
        widget.ShowReplace(0);
        FindReplaceDialog* window = widget.ReplaceWindow();
        QVERIFY(window && window->isVisible());
        Find<QLineEdit>(window, "edtFindWhat")->setText(QStringLiteral("cat"));
        Find<QLineEdit>(window, "edtReplaceWith")->setText(QStringLiteral("dog"));
        m_prompter.AnswerButton(Prompter::Yes);
        m_prompter.AnswerButton(Prompter::No);
        m_prompter.AnswerButton(Prompter::YesToAll);
        QTest::mouseClick(Find<QPushButton>(window, "btnReplace"), Qt::LeftButton);
        QCOMPARE(Stored(widget), std::string("dog cat dog dog"));
        QCOMPARE(m_prompter.UnexpectedCount(), 0);
        QCOMPARE(m_prompter.Questions().size(), 3);
        const ScriptedPrompter::Question& first = m_prompter.Questions()[0];
        QCOMPARE(first.text, QStringLiteral("Replace this occurrence of 'cat' with 'dog' ?"));
        QCOMPARE(first.buttons,
                 Prompter::Yes | Prompter::No | Prompter::Cancel | Prompter::YesToAll);
    }

    void replaceAllAsksNothingAndUndoesInOneStep() {
        SourceEditorWidget& widget = Shown("x1 x22 x333");
        widget.ShowReplace(sflRegExp);
        FindReplaceDialog* window = widget.ReplaceWindow();
        Find<QLineEdit>(window, "edtFindWhat")->setText(QStringLiteral("x(\\d+)"));
        Find<QLineEdit>(window, "edtReplaceWith")->setText(QStringLiteral("[%2]"));
        QTest::mouseClick(Find<QPushButton>(window, "btnReplaceAll"), Qt::LeftButton);
        QCOMPARE(Stored(widget), std::string("[1] [22] [333]"));
        QVERIFY(m_prompter.Questions().isEmpty());
        widget.Editor().Undo();
        QCOMPARE(Stored(widget), std::string("x1 x22 x333"));
    }

    void selectionStaysShownWhileTheWindowIsOpen() {
        SourceEditorWidget& widget = Shown("alpha beta");
        widget.Editor().SetSel(6, 10);
        widget.ShowFind(0);
        QVERIFY(widget.FindWindow()->isVisible());
        QImage image = widget.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int cell = widget.CharCell().width();
        const int below = widget.CharCell().height() - 2;  // under the letters
        QCOMPARE(image.pixel(widget.TextLeft() + 7 * cell + cell / 2, below),
                 widget.SelTextBack.rgb());
    }

    void rangeMarksArePaintedAsHighlights() {
        SourceEditorWidget& widget = Shown("one\ttwo three");
        RangeMark* mark = widget.Editor().AddMark(4, 3, 1);  // "two", after a TAB
        widget.Refresh();
        QImage image = widget.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int cell = widget.CharCell().width();
        const int y = widget.CharCell().height() - 2;  // below the letters
        const QRgb highlight = EditorLook().MarkBack.rgb();
        int32_t tab = widget.Editor().Settings().NextTabStop(3);
        QCOMPARE(image.pixel(widget.TextLeft() + tab * cell + cell / 2, y), highlight);
        QCOMPARE(image.pixel(widget.TextLeft() + (tab + 2) * cell + cell / 2, y), highlight);
        QVERIFY(image.pixel(widget.TextLeft() + (tab + 3) * cell + cell / 2, y) != highlight);
        QVERIFY(image.pixel(widget.TextLeft() + 1 * cell + cell / 2, y) != highlight);
        widget.Editor().DeleteMark(mark);
    }
};

}  // namespace

QUINKLE_GUI_TEST(FindReplaceTest);

}  // namespace quinkle

#include "FindReplaceTest.moc"
