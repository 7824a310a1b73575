#include "ApplicationEnvironment.h"

#include <QCoreApplication>

// Signals, timers and file watching need an application object and its event loop.
[[maybe_unused]] static const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment<QCoreApplication>);
