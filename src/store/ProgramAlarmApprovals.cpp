#include "ProgramAlarmApprovals.h"

#include "base/Logger.h"
#include "base/PrivateFile.h"
#include "base/stateFolder.h"
#include "records/CalAlarm.h"
#include "records/CalCalendar.h"
#include "records/CalEvent.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString APPROVED = QStringLiteral("approved");

QJsonObject entryOf(const QString& calendarUid, const QString& eventUid, const QUrl& program,
                    const QString& argument) {
    return QJsonObject{{QStringLiteral("calendar"), calendarUid},
                       {QStringLiteral("event"), eventUid},
                       {QStringLiteral("program"), program.toString(QUrl::FullyEncoded)},
                       {QStringLiteral("argument"), argument}};
}

QString calendarUidOf(const CalEvent& event) {
    return event.calendar ? event.calendar->uid : QString();
}

// The approvals written so far; a missing file holds none, and anything else at the path is logged and
// read as none (it is replaced at the next approval).
QJsonArray readApprovals(const QString& path) {
    const PrivateFile::Contents contents = PrivateFile::read(path, ProgramAlarmApprovals::MAX_FILE_SIZE);
    if (contents.outcome == PrivateFile::Outcome::Missing)
        return {};
    QJsonParseError error{};
    const QJsonDocument document = contents.outcome == PrivateFile::Outcome::Read
                                       ? QJsonDocument::fromJson(contents.bytes, &error)
                                       : QJsonDocument();
    if (!document.isObject()) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 is not read (%2): no program alarm runs until one is chosen again")
                   .arg(path,
                        contents.outcome == PrivateFile::Outcome::Read ? error.errorString() : contents.why));
        return {};
    }
    return document.object().value(APPROVED).toArray();
}

} // namespace

const QJsonArray& ProgramAlarmApprovals::approvals() const {
    const std::optional<FileStamp> stamp = FileStamp::of(m_path);
    if (!stamp || stamp != m_readStamp) {
        m_approvals = readApprovals(m_path);
        m_readStamp = stamp;
    }
    return m_approvals;
}

QString ProgramAlarmApprovals::defaultPath() {
    return stateFolder() + QStringLiteral("/program-alarms.json");
}

bool ProgramAlarmApprovals::isApproved(const QString& calendarUid, const QString& eventUid,
                                       const QUrl& program, const QString& argument) const {
    if (calendarUid.isEmpty() || eventUid.isEmpty() || program.isEmpty())
        return false;
    return approvals().contains(entryOf(calendarUid, eventUid, program, argument));
}

bool ProgramAlarmApprovals::isApproved(const CalEvent& event, const CalAlarm& alarm) const {
    return isApproved(calendarUidOf(event), event.uid, alarm.url(), alarm.procedureArguments());
}

bool ProgramAlarmApprovals::approve(const CalEvent& event, const CalAlarm& alarm) {
    const QJsonObject entry =
        entryOf(calendarUidOf(event), event.uid, alarm.url(), alarm.procedureArguments());
    QJsonArray current = readApprovals(m_path);
    if (current.contains(entry))
        return true;
    current.append(entry);
    const QJsonDocument document(QJsonObject{{QStringLiteral("version"), 1}, {APPROVED, current}});
    if (const auto failure = PrivateFile::write(m_path, document.toJson())) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("%1 cannot be written (%2): the program alarm of “%3” will not run")
                   .arg(m_path, *failure, event.title));
        return false;
    }
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("the program alarm of “%1” may run %2").arg(event.title, alarm.url().toString()));
    return true;
}
