#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Fonts, text layout and painting need a GUI application object (the tests run it offscreen).
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[10] = "verdalune";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

} // namespace
