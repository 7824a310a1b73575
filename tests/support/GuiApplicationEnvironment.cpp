#include "ApplicationEnvironment.h"

#include <QGuiApplication>

// Fonts, text layout and painting need a GUI application object (the tests run it offscreen).
[[maybe_unused]] static const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment<QGuiApplication>);
