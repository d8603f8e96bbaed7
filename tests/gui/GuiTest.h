// Registration of QTest classes so that every GUI test file joins the one test program.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace quinkle::test {

using GuiTestFactory = std::function<std::unique_ptr<QObject>()>;

/// Every registered test class, in registration order.
std::vector<GuiTestFactory>& GuiTests();

struct GuiTestRegistration {
    explicit GuiTestRegistration(GuiTestFactory factory) {
        GuiTests().push_back(std::move(factory));
    }
};

}  // namespace quinkle::test

/// Registers a QTest class (a QObject with private test slots) with the GUI test program.
#define QUINKLE_GUI_TEST(TestClass)                                            \
    static const quinkle::test::GuiTestRegistration TestClass##Registration {  \
        [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); } \
    }
