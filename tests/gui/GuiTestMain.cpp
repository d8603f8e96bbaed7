// Runs every registered QTest class under one QApplication; exits non-zero if any failed.
#include "GuiTest.h"

#include <QApplication>
#include <QTest>

namespace quinkle::test {

std::vector<GuiTestFactory>& GuiTests() {
    static std::vector<GuiTestFactory> tests;
    return tests;
}

}  // namespace quinkle::test

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& factory : quinkle::test::GuiTests()) {
        std::unique_ptr<QObject> test = factory();
        if (QTest::qExec(test.get(), argc, argv) != 0) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
