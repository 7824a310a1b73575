#pragma once

#include "FileStamp.h"

#include <QString>

#include <optional>

// A folder held open while the stamps of many of its files are taken: no path to walk for each of a
// folder's thousands of files.
class OpenFolder {
public:
    explicit OpenFolder(QString path);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // Of the file `name` in the folder (by its path when the folder could not be opened).
    std::optional<FileStamp> stampOf(const QString& name) const;
    // Whether the folder has no entry `name` of any kind (a dangling link counts); a failure to look
    // for another reason does not say so.
    bool isGone(const QString& name) const;

private:
    QString m_path;
    int m_descriptor;
};
