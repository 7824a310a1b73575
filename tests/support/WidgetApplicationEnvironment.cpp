#include "ApplicationEnvironment.h"

#include <QApplication>

// Widgets need a full application object (the tests run it offscreen).
[[maybe_unused]] static const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment<QApplication>);
