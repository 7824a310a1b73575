#pragma once

#include "OpenFolder.h"
#include "VdirItem.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <optional>

// The files of a calendar folder, named as it was listed, gone through in the order of their names: those
// with the stamp the index recorded are taken from it, the others are for the store to read. A store can go
// through them all at once or some at a time while the window already shows what was read.
class FolderReading {
public:
    FolderReading(QString path, QStringList names, QList<VdirItem> indexed);

    struct File {
        QString name;
        std::optional<FileStamp> stamp;
        // From the index, when the file is as it was indexed.
        std::optional<VdirItem> indexed;
        // Removed since the folder was listed.
        bool gone = false;
    };
    bool atEnd() const { return m_next == m_names.size(); }
    qsizetype size() const { return m_names.size(); }
    File next();
    // Whether the index holds files of the folder that are gone.
    bool leftIndexedFiles() const { return m_taken != m_indexed.size(); }
    // The items the index holds of the files not yet gone through, in order.
    QList<const VdirItem*> indexedAhead() const;

private:
    QString m_path;
    QStringList m_names;
    qsizetype m_next = 0;
    QList<VdirItem> m_indexed; // sorted by file name, as the names are
    qsizetype m_nextIndexed = 0;
    qsizetype m_taken = 0;
    // Opened at the first file: of many folders read in turn only one is open at a time. Shared by copies,
    // as the map of folders makes when it detaches.
    std::shared_ptr<OpenFolder> m_open;
};
