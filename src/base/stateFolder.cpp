#include "stateFolder.h"

#include <QDir>

QString stateFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) // relative values are to be ignored
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/verdalune");
}
