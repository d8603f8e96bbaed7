// Runs every registered QTest class under one QApplication; exits non-zero if any failed.
#include "GuiTest.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

namespace quinkle::test {

std::vector<GuiTestFactory>& GuiTests() {
    static std::vector<GuiTestFactory> tests;
    return tests;
}

}  // namespace quinkle::test

// QUINKLE_GUI_TEST=Name runs only the classes whose name contains Name; the usual QTest
// arguments (function names, -v2, ...) then apply to those.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Recovery journals of the windows under test stay out of the user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    const QByteArray only = qgetenv("QUINKLE_GUI_TEST");
    int failed = 0;
    for (const auto& factory : quinkle::test::GuiTests()) {
        std::unique_ptr<QObject> test = factory();
        if (!only.isEmpty() && !QByteArray(test->metaObject()->className()).contains(only))
            continue;
        if (QTest::qExec(test.get(), argc, argv) != 0) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
