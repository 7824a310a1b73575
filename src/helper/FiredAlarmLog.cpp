#include "FiredAlarmLog.h"

#include "base/Logger.h"
#include "base/PrivateFile.h"
#include "base/stateFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QDateTime occurrenceOf(const PendingAlarm& alarm) {
    return alarm.absolute ? QDateTime() : alarm.occurrence.toUTC();
}

QString isoText(const QDateTime& moment) {
    return moment.isValid() ? moment.toUTC().toString(Qt::ISODateWithMs) : QString();
}

} // namespace

QString FiredAlarmLog::defaultPath() {
    return stateFolder() + QStringLiteral("/helper-state.json");
}

FiredAlarmLog::FiredAlarmLog(QString path) : m_path(std::move(path)) {
    load();
}

QString FiredAlarmLog::keyOf(const QString& uid, const QDateTime& occurrence) {
    return QStringLiteral("%1\x1f%2").arg(uid, isoText(occurrence));
}

bool FiredAlarmLog::contains(const PendingAlarm& alarm) const {
    const auto entry = m_entries.constFind(keyOf(alarm.uid, occurrenceOf(alarm)));
    return entry != m_entries.cend() && alarm.trigger <= entry->fired;
}

bool FiredAlarmLog::record(const QList<PendingAlarm>& alarms, const QDateTime& now) {
    for (const PendingAlarm& alarm : alarms) {
        const QDateTime occurrence = occurrenceOf(alarm);
        Entry& entry = m_entries[keyOf(alarm.uid, occurrence)];
        // A snoozed alarm fires after its trigger, a late one too: the moment counts, not the trigger.
        entry = Entry{alarm.uid, occurrence, std::max({entry.fired, alarm.trigger, now})};
    }
    const QDateTime oldest = now.addSecs(-KEEP_SECONDS);
    for (auto entry = m_entries.begin(); entry != m_entries.end();)
        entry = entry->fired < oldest ? m_entries.erase(entry) : std::next(entry);
    return save();
}

void FiredAlarmLog::load() {
    const PrivateFile::Contents contents = PrivateFile::read(m_path, MAX_FILE_SIZE);
    if (contents.outcome == PrivateFile::Outcome::Missing)
        return; // the first run
    if (contents.outcome == PrivateFile::Outcome::Refused) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("the helper's state file %1 is not used (%2): starting afresh")
                   .arg(m_path, contents.why));
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(contents.bytes, &error);
    if (!document.isObject()) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("the helper's state file %1 cannot be read (%2): starting afresh")
                   .arg(m_path, error.errorString()));
        return;
    }
    for (const QJsonValue& value : document.object().value(QLatin1String("fired")).toArray()) {
        const QJsonObject object = value.toObject();
        Entry entry{
            object.value(QLatin1String("uid")).toString(),
            QDateTime::fromString(object.value(QLatin1String("occurrence")).toString(), Qt::ISODateWithMs),
            QDateTime::fromString(object.value(QLatin1String("fired")).toString(), Qt::ISODateWithMs)};
        if (entry.uid.isEmpty() || !entry.fired.isValid())
            continue;
        m_entries.insert(keyOf(entry.uid, entry.occurrence), entry);
    }
}

bool FiredAlarmLog::save() const {
    QJsonArray fired;
    for (const Entry& entry : m_entries)
        fired.append(QJsonObject{{QStringLiteral("uid"), entry.uid},
                                 {QStringLiteral("occurrence"), isoText(entry.occurrence)},
                                 {QStringLiteral("fired"), isoText(entry.fired)}});
    const QJsonDocument document(
        QJsonObject{{QStringLiteral("version"), 2}, {QStringLiteral("fired"), fired}});
    if (const auto failure = PrivateFile::write(m_path, document.toJson(QJsonDocument::Compact))) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("the helper's state file %1 cannot be written: %2").arg(m_path, *failure));
        return false;
    }
    return true;
}
