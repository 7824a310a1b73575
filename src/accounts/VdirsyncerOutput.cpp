#include "VdirsyncerOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {
const QString ERROR_PREFIX = QStringLiteral("error: ");
const QString CRITICAL_PREFIX = QStringLiteral("critical: ");

// A conflict is told as "error: PAIR/COLLECTION: One item changed on both sides. …" with its item on a
// later line, "Item ID: UID".
const QRegularExpression CONFLICT(QStringLiteral("^error: [^/]+/(\\S+): One item changed on both sides"));
const QRegularExpression ITEM_ID(QStringLiteral("^(?:error: )?Item ID: (.+)$"));
// The lines that follow an error and belong to it.
const QRegularExpression CONTINUATION(QStringLiteral("^error: (?:See also |Item |Use `-vdebug`)"));

VdirsyncerOutput::Failure failureOf(const QString& message) {
    // HTTP failures read "401, message='Unauthorized', url=…".
    if (message.contains(QStringLiteral("401, message=")) ||
        message.contains(QStringLiteral("403, message=")))
        return VdirsyncerOutput::Failure::Unauthorized;
    if (message.contains(QStringLiteral("404, message=")))
        return VdirsyncerOutput::Failure::NotFound;
    for (const char* sign :
         {"Cannot connect to host", "Name or service not known", "Temporary failure in name",
          "Network is unreachable", "Connection refused", "Timeout"}) {
        if (message.contains(QLatin1String(sign)))
            return VdirsyncerOutput::Failure::Unreachable;
    }
    return VdirsyncerOutput::Failure::Other;
}

QString withoutPrefixes(QString message) {
    for (const QString& prefix : {ERROR_PREFIX, CRITICAL_PREFIX}) {
        if (message.startsWith(prefix))
            message.remove(0, prefix.size());
    }
    for (const char* prefix : {"Unknown error occurred: ", "Unknown error occurred for "}) {
        if (message.startsWith(QLatin1String(prefix)))
            message.remove(0, qsizetype(strlen(prefix)));
    }
    return message.trimmed();
}
} // namespace

VdirsyncerOutput::VdirsyncerOutput(const QString& text) : m_lines(text.split(u'\n', Qt::SkipEmptyParts)) {
    for (int index = 0; index < m_lines.size(); ++index) {
        const QString& line = m_lines[index];
        if (line.startsWith(QStringLiteral("Copying (uploading) item ")))
            ++m_added;
        else if (line.startsWith(QStringLiteral("Copying (updating) item ")))
            ++m_changed;
        else if (line.startsWith(QStringLiteral("Deleting item ")))
            ++m_deleted;
        else if (const auto conflict = CONFLICT.match(line); conflict.hasMatch()) {
            Conflict found{conflict.captured(1), {}};
            for (int next = index + 1; next < m_lines.size() && found.itemId.isEmpty(); ++next) {
                if (const auto item = ITEM_ID.match(m_lines[next]); item.hasMatch())
                    found.itemId = item.captured(1).trimmed();
            }
            m_conflicts.append(found);
        } else if ((line.startsWith(ERROR_PREFIX) || line.startsWith(CRITICAL_PREFIX)) && m_error.isEmpty() &&
                   !CONTINUATION.match(line).hasMatch()) {
            m_error = withoutPrefixes(line);
            m_failure = failureOf(m_error);
        }
    }
    // A discovery that could not reach its server only warns, then fails on the next line.
    if (m_failure == Failure::None) {
        for (const QString& line : m_lines) {
            if (line.startsWith(QStringLiteral("warning: Failed to discover collections"))) {
                m_failure = Failure::Other;
                m_error = withoutPrefixes(line.mid(9));
            }
        }
    }
}

std::optional<QStringList> VdirsyncerOutput::discoveredCollections(const QString& pair) const {
    const QString prefix = QStringLiteral("Saved for %1: collections = ").arg(pair);
    for (const QString& line : m_lines) {
        if (!line.startsWith(prefix))
            continue;
        QStringList names;
        for (const auto& value : QJsonDocument::fromJson(line.mid(prefix.size()).toUtf8()).array()) {
            if (value.isString())
                names.append(value.toString());
        }
        return names;
    }
    return std::nullopt;
}

bool VdirsyncerOutput::isItemLine(const QString& line) {
    return line.startsWith(QStringLiteral("Copying (")) || line.startsWith(QStringLiteral("Deleting item "));
}
