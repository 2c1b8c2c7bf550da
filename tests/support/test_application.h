#pragma once

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace arvelo::test {

// One Qt application for the whole test program: made before the first test
// and gone before the process exits, while Qt's statics are still whole.
// Widget tests need a QApplication; tests that only measure fonts or paint
// images a QGuiApplication.
template <class App> class TestApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            m_app = std::make_unique<App>(argc, argv);
        }
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<App> m_app;
};

// Registered once per test program, however many files name it:
//   [[maybe_unused]] const auto* const kApp = test::kTestApplication<QApplication>;
template <class App>
inline ::testing::Environment* const
    kTestApplication = ::testing::AddGlobalTestEnvironment(new TestApplication<App>);

} // namespace arvelo::test
