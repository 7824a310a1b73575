#pragma once

#include <QString>

// Whether a path handed to the program from outside (its command line, another program over the bus) may
// be imported: only the full path of a regular file is, so that nothing is looked up against this
// program's own folder or read as a folder, pipe or device.
class ImportFileCheck {
public:
    // Why `path` is refused, for the user; empty when it may be imported.
    static QString refusal(const QString& path);
};
