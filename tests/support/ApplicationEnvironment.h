#pragma once

#include <gtest/gtest.h>

#include <memory>

// One application object of the given kind for the whole test run.
template <typename Application> class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<Application>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[10] = "verdalune";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<Application> m_application;
};
