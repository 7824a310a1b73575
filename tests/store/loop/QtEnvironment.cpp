#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Signals across objects, timers and the event loop need an application object for the whole run.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[17] = "store_loop_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
