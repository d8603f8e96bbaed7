// The main window as the program shows it on start.
#include <QTest>

#include "GuiTest.h"
#include "app/QuinkleForm.h"

namespace quinkle {
namespace {

class QuinkleFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsUntitledUnderItsDesignerName() {
        QuinkleForm form;
        QCOMPARE(form.objectName(), QStringLiteral("QuinkleForm"));
        QCOMPARE(form.windowTitle(), QStringLiteral("HTML Quinkle - (Untitled)"));

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.isVisible());
    }
};

QUINKLE_GUI_TEST(QuinkleFormTest);

}  // namespace
}  // namespace quinkle

#include "QuinkleFormTest.moc"
