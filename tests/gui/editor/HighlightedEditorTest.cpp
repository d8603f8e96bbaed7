// The editor widget with a highlighting scheme: colours by effect, scanned as rows are seen.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "../../engine/scheme/SchemeTestKit.h"
#include "GuiTest.h"
#include "engine/scheme/SchemeOutputStyler.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle {
namespace {

using namespace testkit;

class HighlightedEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        BuildMiniScheme(m_scheme);
        EffectDef red;
        red.Foreground = 0x0000FF;  // 0x00BBGGRR: red
        red.Style = esBold;
        red.Defined = true;
        m_styles.Effects[1] = red;
        m_styles.TokenEffect[mvKeyword] = 1;
    }

    void keywordsArePaintedWithTheirEffect() {
        SourceEditorWidget widget;
        widget.resize(400, 200);
        widget.Editor().Settings().Styles = m_styles;
        widget.SetScheme(&m_scheme);
        widget.Editor().SetText("begin\r\nplain");
        widget.show();
        QImage image = widget.viewport()->grab().toImage();
        const TextStore& store = widget.Editor().Store();
        QVERIFY(store.Row(0)->Styles != nullptr);
        QCOMPARE(int(store.Row(0)->Styles[0]), int(mvKeyword));
        bool redSeen = false;
        for (int y = 0; y < widget.CharCell().height() && !redSeen; ++y)
            for (int x = 0; x < image.width() && !redSeen; ++x) {
                QColor pixel = image.pixelColor(x, y);
                redSeen = pixel.red() > 150 && pixel.green() < 80 && pixel.blue() < 80;
            }
        QVERIFY(redSeen);
    }

    // Text of a hot-spot effect shows the hand cursor and reports a click with its text.
    void hyperlinksShowTheHandAndReportClicks() {
        SourceEditorWidget widget;
        widget.resize(400, 200);
        SchemeStyles styles = m_styles;
        styles.Effects[1].Hotspot = true;
        widget.Editor().Settings().Styles = styles;
        widget.SetScheme(&m_scheme);
        widget.Editor().SetText("x begin y");
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QStringList clicked;
        connect(&widget, &SourceEditorWidget::HyperlinkClicked, this,
                [&](const QString& text) { clicked << text; });
        const QSize cell = widget.CharCell();
        auto at = [&](int column) {
            return QPoint(widget.TextLeft() + column * cell.width() + cell.width() / 3,
                          cell.height() / 2);
        };
        QTest::mouseMove(widget.viewport(), at(4));
        QCOMPARE(widget.viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(widget.viewport(), at(0));
        QCOMPARE(widget.viewport()->cursor().shape(), Qt::IBeamCursor);
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, at(0));
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, at(6));
        QCOMPARE(clicked, QStringList{QStringLiteral("begin")});
    }

    void onlyVisibleRowsAreScanned() {
        SourceEditorWidget widget;
        widget.resize(400, 200);
        widget.SetScheme(&m_scheme);
        std::string text;
        for (int i = 0; i < 5000; ++i) text += "begin x\r\n";
        widget.Editor().SetText(text.c_str());
        widget.show();
        widget.viewport()->grab();
        const TextStore& store = widget.Editor().Store();
        QVERIFY(store.Row(0)->Styles != nullptr);
        QVERIFY(store.Row(4000)->Styles == nullptr);
        widget.Editor().SetTopRow(4000);
        widget.viewport()->grab();
        QVERIFY(store.Row(4001)->Styles != nullptr);
    }

    // Rows that were never shown carry their colours into a copy all the same.
    void copyHighlightsTheRowsItTakes() {
        SourceEditorWidget widget;
        widget.resize(400, 200);
        Highlighter shared(widget.Editor().Store());
        widget.UseHighlighter(&shared);
        widget.Editor().Settings().Styles = m_styles;
        widget.SetScheme(&m_scheme);
        QCOMPARE(shared.Scheme(), &m_scheme);
        SchemeOutputStyler styler(m_styles, [](uint32_t colour) { return colour; });
        widget.Editor().SetOutputStyler(&styler);
        std::string text;
        for (int i = 0; i < 2000; ++i) text += "x\r\n";
        text += "begin";
        widget.Editor().SetText(text.c_str());
        widget.show();
        widget.viewport()->grab();
        const int32_t last = widget.Editor().GetLineCount() - 1;
        QVERIFY(widget.Editor().GetRowStyles(last) == nullptr);
        widget.Editor().SetSel(widget.Editor().LineIndex(last), -1);
        widget.Copy();
        const QByteArray rtf = QGuiApplication::clipboard()->mimeData()->data("text/rtf");
        // The keyword's run names its effect's colour (the third in the table).
        QVERIFY2(rtf.contains("\\cf3"), rtf.constData());
        widget.Editor().SetOutputStyler(nullptr);
        widget.SetScheme(nullptr);
        widget.UseHighlighter(nullptr);
    }

    void withoutASchemeTextIsPlain() {
        SourceEditorWidget widget;
        widget.SetScheme(&m_scheme);
        widget.SetScheme(nullptr);
        widget.Editor().SetText("begin");
        widget.show();
        widget.viewport()->grab();
        QVERIFY(widget.Editor().Store().Row(0)->Styles == nullptr);
        QVERIFY(widget.Scheme() == nullptr);
    }

private:
    SyntaxScheme m_scheme;
    SchemeStyles m_styles;
};

QUINKLE_GUI_TEST(HighlightedEditorTest);

}  // namespace
}  // namespace quinkle

#include "HighlightedEditorTest.moc"
