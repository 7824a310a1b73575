#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What vdirsyncer said it did, read from the lines it logs: the calendars a discovery found, the items it
// copied and deleted, an item changed on both sides, and why it failed.
class VdirsyncerOutput {
public:
    struct Conflict {
        QString collection;
        QString itemId;
    };
    enum class Failure { None, Unauthorized, Unreachable, NotFound, Other };

    explicit VdirsyncerOutput(const QString& text);

    // The names a discovery saved for `pair`; none when it did not get that far.
    std::optional<QStringList> discoveredCollections(const QString& pair) const;
    int added() const { return m_added; }
    int changed() const { return m_changed; }
    int deleted() const { return m_deleted; }
    const QList<Conflict>& conflicts() const { return m_conflicts; }
    Failure failure() const { return m_failure; }
    // The first error vdirsyncer gave, without its prefixes, for the user.
    const QString& errorMessage() const { return m_error; }

    // Whether a line reports an item copied or deleted, for progress while it runs.
    static bool isItemLine(const QString& line);

private:
    QStringList m_lines;
    int m_added = 0;
    int m_changed = 0;
    int m_deleted = 0;
    QList<Conflict> m_conflicts;
    Failure m_failure = Failure::None;
    QString m_error;
};
