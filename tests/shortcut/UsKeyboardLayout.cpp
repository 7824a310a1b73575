#include <QByteArray>
#include <QtGlobal>

// Without an X display, key names come from the default keymap; the tests expect a US layout whatever the
// machine is configured with.
[[maybe_unused]] static const bool usLayout = qputenv("XKB_DEFAULT_LAYOUT", "us");
