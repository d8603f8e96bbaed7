// The character picker: what the grid offers, collecting characters, and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "GuiTest.h"
#include "gui/widgets/CharacterPicker.h"

namespace quinkle {
namespace {

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qWarning("no control named %s", name);
    return widget;
}

const CharacterPicker::CharacterRange* RangeNamed(const QString& name) {
    for (const CharacterPicker::CharacterRange& range : CharacterPicker::Ranges()) {
        if (range.name == name) return &range;
    }
    return nullptr;
}

/// The grid cell that shows `code`, or an invalid index.
QModelIndex CellOf(QTableWidget* grid, char32_t code) {
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QTableWidgetItem* item = grid->item(row, column);
            if (item != nullptr && item->data(Qt::UserRole).toUInt() == code)
                return grid->model()->index(row, column);
        }
    }
    return QModelIndex();
}

QPoint CentreOf(QTableWidget* grid, const QModelIndex& cell) {
    return grid->visualRect(cell).center();
}

class CharacterPickerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theBlocksOfferPrintableCharactersOnly() {
        for (const char* name :
             {"Latin-1 Supplement", "Latin Extended-A", "General Punctuation", "Currency Symbols",
              "Arrows", "Mathematical Operators", "Box Drawing", "Greek and Coptic", "Cyrillic"}) {
            const auto* range = RangeNamed(QString::fromLatin1(name));
            QVERIFY2(range != nullptr, name);
            QVERIFY2(!CharacterPicker::CharactersOf(*range).isEmpty(), name);
        }

        const QList<char32_t> latin1 =
            CharacterPicker::CharactersOf(*RangeNamed("Latin-1 Supplement"));
        // All of U+00A0 to U+00FF, the no-break space and soft hyphen too: pages use them.
        QCOMPARE(latin1.size(), 96);
        QCOMPARE(latin1.first(), char32_t(0xA0));
        QCOMPARE(latin1.last(), char32_t(0xFF));

        // Line and paragraph separators would break the collected line; unassigned points
        // are nothing at all.
        const QList<char32_t> punctuation =
            CharacterPicker::CharactersOf(*RangeNamed("General Punctuation"));
        QVERIFY(punctuation.contains(char32_t(0x2014)));  // em dash
        QVERIFY(punctuation.contains(char32_t(0x200D)));  // zero-width joiner
        for (char32_t hidden : {0x2028, 0x2029, 0x2065}) {
            QVERIFY2(!punctuation.contains(hidden), qPrintable(QString::number(hidden, 16)));
        }
    }

    void doubleClickEnterAndSelectCollectAndCopyFillsTheClipboard() {
        CharacterPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* grid = Find<QTableWidget>(picker, "grdChars");
        auto* collected = Find<QLineEdit>(picker, "edCopy");
        auto* copy = Find<QPushButton>(picker, "btnCopy");
        QVERIFY(!copy->isEnabled());

        const QModelIndex eAcute = CellOf(grid, 0xE9);
        QVERIFY(eAcute.isValid());
        // A view takes a double click only on the cell that the first press hit.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CentreOf(grid, eAcute));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CentreOf(grid, eAcute));
        QCOMPARE(collected->text(), QStringLiteral("é"));
        QCOMPARE(Find<QLabel>(picker, "lblPreview")->text(), QStringLiteral("é"));
        QCOMPARE(Find<QLabel>(picker, "lblCode")->text(), QStringLiteral("U+00E9\n&#233;"));

        grid->setCurrentIndex(CellOf(grid, 0xA9));
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::mouseClick(Find<QPushButton>(picker, "btnSelect"), Qt::LeftButton);
        QCOMPARE(picker.CharactersToCopy(), QStringLiteral("é©©"));

        // Another block, then an arrow from it.
        Find<QComboBox>(picker, "cbRange")->setCurrentText(QStringLiteral("Arrows"));
        grid->setCurrentIndex(CellOf(grid, 0x2192));
        QTest::mouseClick(Find<QPushButton>(picker, "btnSelect"), Qt::LeftButton);
        QCOMPARE(picker.CharactersToCopy(), QStringLiteral("é©©→"));

        QGuiApplication::clipboard()->clear();
        QVERIFY(copy->isEnabled());
        QTest::mouseClick(copy, Qt::LeftButton);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr && data->hasFormat(QStringLiteral("text/plain")));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("é©©→"));
        picker.reject();
    }

    void runningThePickerReturnsZeroAndLeavesTheCopiedTextOnTheClipboard() {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTimer::singleShot(0, [] {
            auto* picker = qobject_cast<CharacterPicker*>(QApplication::activeModalWidget());
            QVERIFY(picker != nullptr);
            QTest::keyClicks(Find<QLineEdit>(*picker, "edCopy"), QStringLiteral("½±"));
            QTest::mouseClick(Find<QPushButton>(*picker, "btnCopy"), Qt::LeftButton);
            QTest::mouseClick(Find<QPushButton>(*picker, "btnClose"), Qt::LeftButton);
        });
        QCOMPARE(CharacterPicker::RunCharacterPicker(nullptr), 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("½±"));

        // Escape closes it normally too, and without Copy the clipboard stays as it was.
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            QVERIFY(picker != nullptr);
            QTest::keyClicks(Find<QLineEdit>(*picker, "edCopy"), QStringLiteral("x"));
            QTest::keyClick(picker, Qt::Key_Escape);
        });
        QCOMPARE(CharacterPicker::RunCharacterPicker(nullptr), 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("½±"));
    }
};

QUINKLE_GUI_TEST(CharacterPickerTest);

}  // namespace
}  // namespace quinkle

#include "CharacterPickerTest.moc"
