// One QApplication for the whole test program, on the offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        std::setlocale(LC_NUMERIC, "C");
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[12] = "test_shell";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

// GoogleTest owns registered environments.
[[maybe_unused]] ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
