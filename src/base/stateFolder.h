#pragma once

#include <QString>

// $XDG_STATE_HOME/verdalune, with ~/.local/state standing in for an unset or relative variable: what
// the programs keep for this user on this computer, where no sync writes.
QString stateFolder();
