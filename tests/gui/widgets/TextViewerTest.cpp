// The plain-text viewer: what it shows of a file, and that it waits for Close.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "GuiTest.h"
#include "gui/widgets/TextViewer.h"

namespace quinkle {
namespace {

class TextViewerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheFileReadOnlyInAFixedPitchFont() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("error.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // CR LF and CR-only line ends, UTF-8, and a stray byte that is not UTF-8.
        file.write("line 1: caf\xC3\xA9\r\nline 2: \xE9t\xE9\rline 3\n");
        file.close();

        TextViewer viewer(path);
        auto* text = viewer.findChild<QPlainTextEdit*>(QStringLiteral("memText"));
        QVERIFY(text != nullptr);
        QCOMPARE(viewer.Text(), QStringLiteral("line 1: café\nline 2: été\nline 3\n"));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->font().family(),
                 QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QVERIFY(viewer.windowTitle().contains(QStringLiteral("error.txt")));
        QVERIFY(!viewer.windowTitle().contains(dir.path()));
    }

    void aMissingFileOrAFolderShowsAnEmptyViewerNamedAfterIt() {
        QTemporaryDir dir;
        TextViewer missing(dir.filePath(QStringLiteral("error.txt")));
        QCOMPARE(missing.Text(), QString());
        QVERIFY(missing.windowTitle().contains(QStringLiteral("error.txt")));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("log")));
        TextViewer folder(dir.filePath(QStringLiteral("log")));
        QCOMPARE(folder.Text(), QString());
    }

    void showTextFileReturnsWhenClosed() {
        QTemporaryDir dir;
        bool sawViewer = false;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<TextViewer*>(QApplication::activeModalWidget());
            sawViewer = viewer != nullptr;
            if (viewer == nullptr) return;
            QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("btnClose")),
                              Qt::LeftButton);
        });
        TextViewer::ShowTextFile(nullptr, dir.filePath(QStringLiteral("none.txt")));
        QVERIFY(sawViewer);
    }
};

QUINKLE_GUI_TEST(TextViewerTest);

}  // namespace
}  // namespace quinkle

#include "TextViewerTest.moc"
