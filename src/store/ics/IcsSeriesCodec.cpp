#include "IcsSeriesCodec.h"

#include "IcsSeriesData.h"

namespace {

void writeAlarm(BinaryWriter& out, const IcsEventData::Alarm& entry) {
    const CalAlarm& alarm = *entry.alarm;
    out << qint8(alarm.action()) << alarm.relativeTrigger() << bool(alarm.absoluteTrigger())
        << alarm.absoluteTrigger().value_or(QDateTime()) << alarm.sound() << alarm.emailAddress()
        << alarm.url() << alarm.procedureArguments() << entry.relatedToEnd;
}

bool readAlarm(BinaryReader& in, IcsEventData::Alarm& entry) {
    qint8 action = 0;
    double relative = 0;
    bool hasAbsolute = false;
    QDateTime absolute;
    QString sound, email, arguments;
    QUrl url;
    in >> action >> relative >> hasAbsolute >> absolute >> sound >> email >> url >> arguments >>
        entry.relatedToEnd;
    if (!in.ok() || action < CalAlarm::Display || action > CalAlarm::Sound)
        return false;
    auto alarm = CalAlarm::alarm();
    alarm->setRelativeTrigger(relative);
    if (hasAbsolute)
        alarm->setAbsoluteTrigger(absolute);
    alarm->setSound(sound);
    alarm->setUrl(url);
    alarm->setEmailAddress(email);
    alarm->setProcedureArguments(arguments);
    alarm->setAction(CalAlarm::Action(action)); // last: the setters above choose an action of their own
    entry.alarm = std::move(alarm);
    return true;
}

void writeAttendee(BinaryWriter& out, const CalAttendee& attendee) {
    out << attendee.commonName << attendee.address << qint8(attendee.status) << attendee.replyRequested;
}

bool readAttendee(BinaryReader& in, CalAttendee& attendee) {
    qint8 status = 0;
    in >> attendee.commonName >> attendee.address >> status >> attendee.replyRequested;
    if (!in.ok() || status < CalAttendee::NeedsAction || status > CalAttendee::Delegated)
        return false;
    attendee.status = CalAttendee::Status(status);
    return true;
}

} // namespace

void IcsSeriesCodec::write(BinaryWriter& out, const IcsSeries& series) {
    const IcsSeriesData& data = *series.d;
    out << data.uid << qint8(data.startForm.kind) << data.startForm.tzid;
    write(out, data.zone);
    out << bool(data.master);
    if (data.master)
        write(out, *data.master);
    out << bool(data.expander);
    if (data.expander)
        write(out, data.expander->recurrence());
    out << qint32(data.overrides.size());
    for (const IcsEventData& part : data.overrides)
        write(out, part);
}

std::optional<IcsSeries> IcsSeriesCodec::read(BinaryReader& in) {
    auto data = std::make_shared<IcsSeriesData>();
    qint8 form = 0;
    in >> data->uid >> form >> data->startForm.tzid;
    if (!in.ok() || form < DateForm::Date || form > DateForm::Floating || !read(in, data->zone))
        return std::nullopt;
    data->startForm.kind = DateForm::Kind(form);
    bool hasMaster = false;
    in >> hasMaster;
    if (hasMaster && !read(in, data->master.emplace()))
        return std::nullopt;
    bool recurring = false;
    in >> recurring;
    if (recurring) {
        IcsRecurrence recurrence;
        if (!hasMaster || !read(in, recurrence))
            return std::nullopt;
        data->setRecurrence(std::move(recurrence));
    }
    qint32 overrides = 0;
    in >> overrides;
    if (!in.ok() || overrides < 0 || (!hasMaster && overrides == 0))
        return std::nullopt;
    for (qint32 i = 0; i < overrides; ++i)
        if (!read(in, data->overrides.emplace_back()) || !data->overrides.back().recurrenceId)
            return std::nullopt;
    return IcsSeries(std::move(data));
}

bool IcsSeriesCodec::setZoneNames(const QList<QByteArray>& names) {
    m_zones.clear();
    m_names = names;
    m_numbers.clear();
    for (const QByteArray& name : names) {
        m_numbers.insert(name, qint32(m_numbers.size()));
        const std::optional<WallClockZone> zone = WallClockZone::fromPersistentName(name);
        if (!zone)
            return false;
        m_zones.append(*zone);
    }
    return true;
}

void IcsSeriesCodec::write(BinaryWriter& out, const WallClockZone& zone) {
    const QByteArray name = zone.persistentName();
    auto number = m_numbers.constFind(name);
    if (number == m_numbers.cend()) {
        number = m_numbers.insert(name, qint32(m_names.size()));
        m_names.append(name);
    }
    out << *number;
}

bool IcsSeriesCodec::read(BinaryReader& in, WallClockZone& zone) {
    qint32 number = 0;
    in >> number;
    if (!in.ok() || number < 0 || number >= m_zones.size())
        return false;
    zone = m_zones[number];
    return true;
}

void IcsSeriesCodec::write(BinaryWriter& out, const IcsTime& time) {
    const WallTime& wall = time.wall;
    out << qint32(wall.year) << qint8(wall.month) << qint8(wall.day) << qint8(wall.hour) << qint8(wall.minute)
        << qint8(wall.second) << time.isDate;
    write(out, time.zone);
}

bool IcsSeriesCodec::read(BinaryReader& in, IcsTime& time) {
    qint32 year = 0;
    qint8 month = 0, day = 0, hour = 0, minute = 0, second = 0;
    in >> year >> month >> day >> hour >> minute >> second >> time.isDate;
    time.wall = WallTime{year, month, day, hour, minute, second};
    return read(in, time.zone);
}

void IcsSeriesCodec::write(BinaryWriter& out, const IcsEventData& event) {
    out << event.uid;
    write(out, event.start);
    out << event.duration.days << event.duration.seconds << bool(event.recurrenceId);
    if (event.recurrenceId)
        write(out, *event.recurrenceId);
    out << event.thisAndFuture << qint32(event.sequence) << event.title << event.location << event.notes
        << event.url << qint32(event.alarms.size());
    for (const IcsEventData::Alarm& alarm : event.alarms)
        writeAlarm(out, alarm);
    out << qint32(event.attendees.size());
    for (const CalAttendee& attendee : event.attendees)
        writeAttendee(out, attendee);
    out << bool(event.organizer);
    if (event.organizer)
        writeAttendee(out, *event.organizer);
}

bool IcsSeriesCodec::read(BinaryReader& in, IcsEventData& event) {
    in >> event.uid;
    if (!read(in, event.start))
        return false;
    bool hasRecurrenceId = false;
    in >> event.duration.days >> event.duration.seconds >> hasRecurrenceId;
    if (hasRecurrenceId && !read(in, event.recurrenceId.emplace()))
        return false;
    qint32 sequence = 0, alarms = 0;
    in >> event.thisAndFuture >> sequence >> event.title >> event.location >> event.notes >> event.url >>
        alarms;
    if (!in.ok() || alarms < 0)
        return false;
    event.sequence = sequence;
    for (qint32 i = 0; i < alarms; ++i)
        if (!readAlarm(in, event.alarms.emplace_back()))
            return false;
    qint32 attendees = 0;
    in >> attendees;
    if (!in.ok() || attendees < 0)
        return false;
    for (qint32 i = 0; i < attendees; ++i)
        if (!readAttendee(in, event.attendees.emplace_back()))
            return false;
    bool hasOrganizer = false;
    in >> hasOrganizer;
    return in.ok() && (!hasOrganizer || readAttendee(in, event.organizer.emplace()));
}

void IcsSeriesCodec::write(BinaryWriter& out, const IcsRecurrence& recurrence) {
    out << recurrence.rrules;
    write(out, recurrence.rdates);
    out << qint32(recurrence.periods.size());
    for (const IcsRecurrence::Period& period : recurrence.periods) {
        write(out, period.start);
        out << period.duration.days << period.duration.seconds;
    }
    write(out, recurrence.exdates);
}

bool IcsSeriesCodec::read(BinaryReader& in, IcsRecurrence& recurrence) {
    in >> recurrence.rrules;
    qint32 periods = 0;
    if (!read(in, recurrence.rdates))
        return false;
    in >> periods;
    if (!in.ok() || periods < 0)
        return false;
    for (qint32 i = 0; i < periods; ++i) {
        IcsRecurrence::Period& period = recurrence.periods.emplace_back();
        if (!read(in, period.start))
            return false;
        in >> period.duration.days >> period.duration.seconds;
    }
    return in.ok() && read(in, recurrence.exdates);
}

void IcsSeriesCodec::write(BinaryWriter& out, const QList<IcsTime>& times) {
    out << qint32(times.size());
    for (const IcsTime& time : times)
        write(out, time);
}

bool IcsSeriesCodec::read(BinaryReader& in, QList<IcsTime>& times) {
    qint32 count = 0;
    in >> count;
    if (!in.ok() || count < 0)
        return false;
    times.clear();
    for (qint32 i = 0; i < count; ++i)
        if (!read(in, times.emplace_back()))
            return false;
    return true;
}
