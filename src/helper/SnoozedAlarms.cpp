#include "SnoozedAlarms.h"

#include "base/Logger.h"
#include "base/PrivateFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QString isoText(const QDateTime& moment) {
    return moment.isValid() ? moment.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime momentOf(const QJsonObject& object, QLatin1String key) {
    return QDateTime::fromString(object.value(key).toString(), Qt::ISODateWithMs);
}

QString textOf(const QJsonObject& object, QLatin1String key) {
    return object.value(key).toString();
}

} // namespace

SnoozedAlarms::SnoozedAlarms(const QString& stateFile)
    : m_path(QFileInfo(stateFile).dir().filePath(QStringLiteral("snoozed-alarms.json"))) {}

QList<PendingAlarm> SnoozedAlarms::load() const {
    const PrivateFile::Contents contents = PrivateFile::read(m_path, MAX_FILE_SIZE);
    if (contents.outcome != PrivateFile::Outcome::Read) {
        if (contents.outcome == PrivateFile::Outcome::Refused)
            VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("the snoozed reminders in %1 are not used (%2)").arg(m_path, contents.why));
        return {};
    }
    QList<PendingAlarm> alarms;
    for (const QJsonValue& value :
         QJsonDocument::fromJson(contents.bytes).object().value("snoozed"_L1).toArray()) {
        const QJsonObject object = value.toObject();
        PendingAlarm alarm;
        alarm.uid = textOf(object, "uid"_L1);
        alarm.occurrenceStart = momentOf(object, "occurrenceStart"_L1);
        alarm.occurrence = momentOf(object, "occurrence"_L1);
        alarm.trigger = momentOf(object, "trigger"_L1);
        alarm.end = momentOf(object, "end"_L1);
        alarm.title = textOf(object, "title"_L1);
        alarm.calendarTitle = textOf(object, "calendar"_L1);
        alarm.calendarUid = textOf(object, "calendarUid"_L1);
        alarm.location = textOf(object, "location"_L1);
        alarm.notes = textOf(object, "notes"_L1);
        alarm.sound = textOf(object, "sound"_L1);
        alarm.action = alarm.sound.isEmpty() ? CalAlarm::Display : CalAlarm::Sound;
        if (!alarm.uid.isEmpty() && alarm.trigger.isValid())
            alarms.append(alarm);
    }
    return alarms;
}

bool SnoozedAlarms::save(const QList<PendingAlarm>& alarms) const {
    QJsonArray snoozed;
    for (const PendingAlarm& alarm : alarms)
        snoozed.append(QJsonObject{
            {QStringLiteral("uid"), alarm.uid},
            {QStringLiteral("occurrenceStart"), isoText(alarm.occurrenceStart)},
            {QStringLiteral("occurrence"), isoText(alarm.occurrence)},
            {QStringLiteral("trigger"), isoText(alarm.trigger)},
            {QStringLiteral("end"), isoText(alarm.end)},
            {QStringLiteral("title"), alarm.title},
            {QStringLiteral("calendar"), alarm.calendarTitle},
            {QStringLiteral("calendarUid"), alarm.calendarUid},
            {QStringLiteral("location"), alarm.location},
            {QStringLiteral("notes"), alarm.notes},
            {QStringLiteral("sound"), alarm.action == CalAlarm::Sound ? alarm.sound : QString()}});
    const QJsonDocument document(
        QJsonObject{{QStringLiteral("version"), 1}, {QStringLiteral("snoozed"), snoozed}});
    if (const auto failure = PrivateFile::write(m_path, document.toJson(QJsonDocument::Compact))) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("the snoozed reminders cannot be kept in %1: %2").arg(m_path, *failure));
        return false;
    }
    return true;
}
