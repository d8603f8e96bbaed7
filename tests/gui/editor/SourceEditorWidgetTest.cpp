// The editor widget driven like a user would: keys, mouse, clipboard, drops and painting.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "GuiTest.h"
#include "engine/scheme/KeyCombination.h"
#include "engine/text/EditorError.h"
#include "gui/editor/KeyTranslation.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/editor/StoredText.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

// The stored bytes of the whole document (CR line ends).
std::string Stored(const SourceEditorWidget& widget) {
    const TextStore& store = widget.Editor().Store();
    return store.GetText(0, store.CharCount());
}

// Sends a key press that carries `text`, as a keyboard layout or an input method would.
void TypeCharacter(QWidget* widget, const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// A viewport point in the left half of the character cell at a display column and row: a
// click there puts the caret before the character.
QPoint CellPoint(const SourceEditorWidget& widget, int column, int row) {
    QSize cell = widget.CharCell();
    return {widget.TextLeft() + column * cell.width() + cell.width() / 4,
            row * cell.height() + cell.height() / 2};
}

// Drags `data` onto the editor from outside and drops it at `point`; whether it was taken.
bool Drop(SourceEditorWidget& widget, const QPoint& point, const QMimeData& data) {
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget.viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget.viewport(), &drop);
    return drop.isAccepted();
}

QImage Grab(SourceEditorWidget& widget) {
    return widget.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class SourceEditorWidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceEditorWidget> m_widget;

    SourceEditorWidget& Shown(const char* text = "") {
        m_widget = std::make_unique<SourceEditorWidget>();
        m_widget->resize(640, 400);
        m_widget->Editor().SetText(text);
        m_widget->show();
        m_widget->activateWindow();
        m_widget->setFocus();
        if (!QTest::qWaitForWindowExposed(m_widget.get())) qWarning("editor not exposed");
        return *m_widget;
    }

private Q_SLOTS:
    void cleanup() { m_widget.reset(); }

    // ---- typing ----

    void typedCharactersAreStoredAsUtf8AndStepAsWholes() {
        SourceEditorWidget& widget = Shown();
        QTest::keyClicks(&widget, "ab");
        TypeCharacter(&widget, QStringLiteral("é"));
        TypeCharacter(&widget, QStringLiteral("€"));
        QCOMPARE(Stored(widget), std::string("ab\xC3\xA9\xE2\x82\xAC"));

        QTest::keyClick(&widget, Qt::Key_Left);  // over the three bytes of the euro sign
        QCOMPARE(widget.Editor().Caret(), 4);
        QTest::keyClick(&widget, Qt::Key_Backspace);  // removes all of "é"
        QCOMPARE(Stored(widget), std::string("ab\xE2\x82\xAC"));
        QTest::keyClick(&widget, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Stored(widget), std::string("ab\xC3\xA9\xE2\x82\xAC"));
    }

    void inputMethodCommitsAreTyped() {
        SourceEditorWidget& widget = Shown();
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("日本"));
        QApplication::sendEvent(&widget, &event);
        QCOMPARE(DecodeStoredText(Stored(widget)), QStringLiteral("日本"));
    }

    void controlKeysAndEscapeTypeNothing() {
        SourceEditorWidget& widget = Shown("x");
        QTest::keyClick(&widget, Qt::Key_Escape);
        QTest::keyClick(&widget, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(&widget, Qt::Key_F7);
        QCOMPARE(Stored(widget), std::string("x"));
    }

    void enterKeepsTheIndentAndTabStaysInTheEditor() {
        SourceEditorWidget& widget = Shown("    foo");
        widget.Editor().Settings().Options &= ~smoUseTAB;
        QTest::keyClick(&widget, Qt::Key_End);
        QTest::keyClick(&widget, Qt::Key_Return);
        QTest::keyClick(&widget, Qt::Key_X);
        QCOMPARE(Stored(widget), std::string("    foo\r    x"));

        QTest::keyClick(&widget, Qt::Key_Tab);
        QVERIFY(widget.hasFocus());
        QVERIFY(Stored(widget).size() > std::string("    foo\r    x").size());
    }

    void shiftArrowsSelectAndCtrlKThenIIndentsTheLines() {
        SourceEditorWidget& widget = Shown("one\rtwo\rthree");
        QTest::keyClick(&widget, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&widget, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(widget.Editor().Anchor(), 0);
        QCOMPARE(widget.Editor().Caret(), 5);

        QTest::keyClick(&widget, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(&widget, Qt::Key_I);
        QCOMPARE(Stored(widget), std::string(" one\r two\rthree"));
        QTest::keyClick(&widget, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Stored(widget), std::string("one\rtwo\rthree"));
    }

    void insertTogglesOverwrite() {
        SourceEditorWidget& widget = Shown("abc");
        QTest::keyClick(&widget, Qt::Key_Insert);
        QVERIFY(!widget.Editor().InsertMode());
        QTest::keyClicks(&widget, "XY");
        QCOMPARE(Stored(widget), std::string("XYc"));
        QVERIFY(!Grab(widget).isNull());  // the block caret paints
    }

    void caretMovesAndChangesAreSignalled() {
        SourceEditorWidget& widget = Shown("abc");
        QSignalSpy moved(&widget, &SourceEditorWidget::CaretMoved);
        QSignalSpy changed(&widget, &SourceEditorWidget::Changed);
        QTest::keyClick(&widget, Qt::Key_Right);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(changed.count(), 0);
        QTest::keyClick(&widget, Qt::Key_Q);
        QVERIFY(changed.count() >= 1);
    }

    void storedBytesDecodeWithoutLoss() {
        // UTF-8 where it is well formed, Windows-1252 byte by byte where it is not.
        QCOMPARE(DecodeStoredText("\x80 \xC3\xA9 \xC3 \xA9\xE2\x82 \xF0\x9F\x98\x80"),
                 QStringLiteral("€ é Ã ©â‚ 😀"));
        QCOMPARE(DecodeStoredText("\xED\xA0\x80"), QStringLiteral("í\u00A0€"));  // no surrogates
        QCOMPARE(EncodeStoredText(QStringLiteral("é😀")), std::string("\xC3\xA9\xF0\x9F\x98\x80"));
    }

    // ---- keys ----

    void keysTranslateToVirtualKeysAndBack() {
        QCOMPARE(KeyToVirtualKey(Qt::Key_A, Qt::ControlModifier), uint16_t(kCtrlKey | 'A'));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Exclam, Qt::ShiftModifier), uint16_t(kShiftKey | '1'));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Backtab, Qt::ShiftModifier), uint16_t(kShiftKey | VK_TAB));
        QCOMPARE(KeyToVirtualKey(Qt::Key_5, Qt::KeypadModifier), uint16_t(VK_NUMPAD0 + 5));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Home, Qt::KeypadModifier), uint16_t(VK_HOME));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Plus, Qt::KeypadModifier), uint16_t(VK_ADD));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Plus, Qt::ShiftModifier),
                 uint16_t(kShiftKey | VK_OEM_PLUS));
        QCOMPARE(KeyToVirtualKey(Qt::Key_F12, Qt::AltModifier), uint16_t(kAltKey | VK_F12));
        QCOMPARE(KeyToVirtualKey(Qt::Key_Eacute, Qt::NoModifier), uint16_t(0));

        // Every named key comes back as the same combination.
        for (int code = 1; code < 256; ++code) {
            auto combination = static_cast<uint16_t>(code | kCtrlKey | kShiftKey);
            if (KeyCombinationToText(combination).find("VK") != std::string::npos) continue;
            QKeyCombination key = VirtualKeyToKey(combination);
            QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(QString::number(code, 16)));
            QCOMPARE(KeyToVirtualKey(key.key(), key.keyboardModifiers()), combination);
        }
    }

    // ---- mouse ----

    void clickPlacesTheCaretOnTheTabGrid() {
        SourceEditorWidget& widget = Shown("a\tb\tc\rxyz");
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, CellPoint(widget, 8, 0));
        QCOMPARE(widget.Editor().Caret(), 4);  // before "c", which stands at column 8
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, CellPoint(widget, 1, 0));
        QCOMPARE(widget.Editor().Caret(), 1);  // the first half of the TAB's cells: before it
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          CellPoint(widget, 1, 1));
        QCOMPARE(widget.Editor().Anchor(), 1);
        QCOMPARE(widget.Editor().Caret(), 7);
    }

    void doubleClickSelectsAWordAndTripleClickTheLine() {
        SourceEditorWidget& widget = Shown("alpha beta gamma\rnext");
        QTest::mouseDClick(widget.viewport(), Qt::LeftButton, {}, CellPoint(widget, 7, 0));
        QCOMPARE(widget.Editor().SelText(), std::string("beta"));
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, CellPoint(widget, 7, 0));
        QCOMPARE(widget.Editor().SelStart(), 0);
        QCOMPARE(widget.Editor().SelEnd(), 17);
    }

    void draggingTheMouseExtendsTheSelection() {
        SourceEditorWidget& widget = Shown("0123456789\rabcdefghij");
        QWidget* view = widget.viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, CellPoint(widget, 2, 0));
        QTest::mouseMove(view, CellPoint(widget, 5, 1));
        QTest::mouseRelease(view, Qt::LeftButton, {}, CellPoint(widget, 5, 1));
        QCOMPARE(widget.Editor().SelText(), std::string("23456789\r\nabcde"));
    }

    void scrolledViewMapsClicksAndGutterClicks() {
        SourceEditorWidget& widget = Shown();
        std::string text(300, 'x');
        text[40] = 'A';
        text += "\rsecond";
        widget.Editor().SetText(text.c_str());
        QVERIFY(widget.horizontalScrollBar()->maximum() > 0);
        widget.horizontalScrollBar()->setValue(40);
        QCOMPARE(widget.Editor().LeftColumn(), 40);
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, CellPoint(widget, 0, 0));
        QCOMPARE(widget.Editor().Caret(), 40);

        QSignalSpy gutter(&widget, &SourceEditorWidget::GutterClicked);
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {},
                          QPoint(3, widget.CharCell().height() * 3 / 2));
        QCOMPARE(gutter.count(), 1);
        QCOMPARE(gutter[0][0].toInt(), 1);
    }

    // ---- clipboard ----

    void copyAndPasteGoThroughTheSystemClipboard() {
        SourceEditorWidget& widget = Shown("caf\xC3\xA9 \xE9t\xE9");  // stray bytes: Windows-1252
        widget.Editor().SetSel(0, 11);
        QTest::keyClick(&widget, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->text(), QStringLiteral("café été"));
        QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));

        QGuiApplication::clipboard()->setText(QStringLiteral("ünï\ncode"));
        QTest::keyClick(&widget, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&widget, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(DecodeStoredText(Stored(widget)), QStringLiteral("café étéünï\rcode"));

        auto* html = new QMimeData;
        html->setHtml(QStringLiteral("<b>bold</b>"));
        QGuiApplication::clipboard()->setMimeData(html);
        widget.Editor().SetText("");
        widget.Paste();
        QCOMPARE(Stored(widget), std::string("<b>bold</b>"));

        widget.Editor().SelectAll();
        widget.Cut();
        QCOMPARE(Stored(widget), std::string());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("<b>bold</b>"));
    }

    void engineErrorsReachThePrompter() {
        SourceEditorWidget& widget = Shown();
        ScriptedPrompter prompter;
        SetAppPrompter(&prompter);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        widget.Editor().OnDataDrop = [](uint32_t&) { throw ESourceEditor("Drop refused"); };
        QTest::keyClick(&widget, Qt::Key_V, Qt::ControlModifier);
        SetAppPrompter(nullptr);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions()[0].text, QStringLiteral("Drop refused"));
    }

    // ---- drops ----

    void droppedTextLandsWhereItIsDropped() {
        SourceEditorWidget& widget = Shown("0123456789");
        QMimeData data;
        data.setText(QStringLiteral("-ü-"));
        QVERIFY(Drop(widget, CellPoint(widget, 4, 0), data));
        QCOMPARE(Stored(widget), std::string("0123-\xC3\xBC-456789"));

        widget.Editor().ReadOnly = true;
        QVERIFY(!Drop(widget, CellPoint(widget, 1, 0), data));
        QCOMPARE(Stored(widget), std::string("0123-\xC3\xBC-456789"));
    }

    void droppedFilesAreReportedNotInserted() {
        SourceEditorWidget& widget = Shown("text");
        QSignalSpy dropped(&widget, &SourceEditorWidget::FilesDropped);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/page one.html"))});
        QVERIFY(Drop(widget, CellPoint(widget, 1, 0), data));
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped[0][0].toStringList(), QStringList{QStringLiteral("/tmp/page one.html")});
        QCOMPARE(Stored(widget), std::string("text"));
        // The caret waits at the drop point for what the host inserts for the files.
        QCOMPARE(widget.Editor().SelStart(), 1);
        QCOMPARE(widget.Editor().SelLength(), 0);
    }

    // ---- painting ----

    void selectionGutterAndMarginArePaintedOnTheGrid() {
        SourceEditorWidget& widget = Shown("a\t  b\rsecond line");
        EditorSettings& settings = widget.Editor().Settings();
        settings.Options |= smoLineNumbers;
        settings.RightMargin = 20;
        widget.ApplySettings();
        widget.Editor().SetSel(2, 3);  // the blank that the TAB puts at column 4
        widget.Refresh();
        QImage image = Grab(widget);
        const QRgb navy = widget.SelTextBack.rgb();
        const int middle = widget.CharCell().height() / 2;
        const int cell = widget.CharCell().width();
        QCOMPARE(image.pixel(widget.TextLeft() + 4 * cell + cell / 2, middle), navy);
        QVERIFY(image.pixel(widget.TextLeft() + 4 * cell - 1, middle) != navy);
        QVERIFY(image.pixel(widget.TextLeft() + 5 * cell + 1, middle) != navy);
        QCOMPARE(image.pixel(2, image.height() - 2),
                 widget.palette().color(QPalette::Button).rgb());
        QVERIFY(image.pixel(widget.TextLeft() + 20 * cell, image.height() - 2) !=
                widget.palette().color(QPalette::Base).rgb());

        // With the gutter hidden, text starts at the left margin.
        settings.Options &= ~smoShowGutter;
        widget.ApplySettings();
        QCOMPARE(widget.TextLeft(), settings.Margin);
        QCOMPARE(widget.Editor().Metrics().TextLeft, settings.Margin);
    }

    void controlBytesPaintAsBoxesOneCellWide() {
        // SOH and ESC between letters: each takes one cell, drawn on a box of its own colour.
        SourceEditorWidget& widget = Shown(
            "a\x01"
            "b\x1b"
            "c");
        QImage image = Grab(widget);
        const int y = 1;  // the box's top row, at its left edge: no glyph reaches there
        const int cell = widget.CharCell().width();
        const QRgb box = QColor(200, 0, 120).rgb();
        const QRgb base = widget.palette().color(QPalette::Base).rgb();
        for (int column : {1, 3}) QCOMPARE(image.pixel(widget.TextLeft() + column * cell, y), box);
        for (int column : {2, 4, 5})
            QCOMPARE(image.pixel(widget.TextLeft() + column * cell, y), base);
    }

    void tokenFormatsColourTheirRuns() {
        SourceEditorWidget& widget = Shown("plain  keyword");
        const uint8_t styles[14] = {0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5};
        widget.Editor().SetRowStyles(0, styles);
        const QColor green(0, 160, 0);
        widget.SetTokenFormatter([&](uint8_t token) {
            QTextCharFormat format;
            if (token == 5) format.setBackground(green);
            return format;
        });
        QImage image = Grab(widget);
        const int y = 1;  // above the glyphs of "e" and " "
        const int cell = widget.CharCell().width();
        QCOMPARE(image.pixel(widget.TextLeft() + 8 * cell + cell / 2, y), green.rgb());
        QCOMPARE(image.pixel(widget.TextLeft() + 6 * cell + cell / 2, y),
                 widget.palette().color(QPalette::Base).rgb());
    }

    void bookmarksAndWrappedRowsPaint() {
        SourceEditorWidget& widget = Shown();
        std::string text;
        for (int i = 0; i < 40; ++i) text += "word ";
        text += "\rshort\t\xC3\xA9t\xE9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC end";
        widget.Editor().SetText(text.c_str());
        EditorSettings& settings = widget.Editor().Settings();
        settings.WrapAtColumn = 30;
        settings.Options |= smoWordWrap | smoShowAllChars | smoLineNumbers;
        widget.ApplySettings();
        QVERIFY(widget.Editor().Store().RowCount() > 2);
        widget.Editor().SetBookmark(3, 0);
        widget.Editor().SetSel(10, 40);
        QTest::keyClick(&widget, Qt::Key_Insert);  // a block caret
        QImage image = Grab(widget);
        const QRgb gutter = widget.palette().color(QPalette::Button).rgb();
        QVERIFY(image.pixel(6, widget.CharCell().height() / 2) != gutter);  // the bookmark
        image.save(QCoreApplication::applicationDirPath() + "/editor-widget-wrapped.png");
    }

    void aLargeDocumentScrollsToItsEndAndPaints() {
        std::string text;
        text.reserve(21 << 20);
        const std::string line =
            "<tr><td class=\"n\">\t</td><td><a href=\"page.html\">Entry</a> &amp; words</td>"
            "</tr>\r";
        while (text.size() < (20u << 20)) text += line;
        text += "the end";
        SourceEditorWidget& widget = Shown(text.c_str());
        QVERIFY(widget.Editor().Store().RowCount() > 200000);

        QTest::keyClick(&widget, Qt::Key_End, Qt::ControlModifier);
        const int32_t lastRow = widget.Editor().Store().RowCount() - 1;
        QVERIFY(widget.Editor().TopRow() > lastRow - widget.Editor().VisibleRows());
        QCOMPARE(widget.verticalScrollBar()->value(), widget.Editor().TopRow());
        QVERIFY(widget.verticalScrollBar()->maximum() >= widget.Editor().TopRow());
        QTest::keyClicks(&widget, "!");
        QImage image = Grab(widget);
        QVERIFY(!image.isNull());

        widget.verticalScrollBar()->setValue(1000);
        QCOMPARE(widget.Editor().TopRow(), 1000);

        QString path = QCoreApplication::applicationDirPath() + "/editor-widget.png";
        widget.Editor().SetSel(widget.Editor().Store().RowStart(1003) + 4,
                               widget.Editor().Store().RowStart(1005) + 10);
        widget.Editor().Settings().Options |= smoLineNumbers;
        widget.Editor().SetBookmark(1, 1001);
        widget.ApplySettings();
        QVERIFY(widget.viewport()->grab().save(path));
    }
};

QUINKLE_GUI_TEST(SourceEditorWidgetTest);

}  // namespace
}  // namespace quinkle

#include "SourceEditorWidgetTest.moc"
