#include "IcsEventReader.h"

#include "IcsAlarmSound.h"

namespace {

bool isPlausible(const icaltimetype& time) {
    return !icaltime_is_null_time(time) && time.year >= 1 && time.year <= 9999 && time.month >= 1 &&
           time.month <= 12 && time.day >= 1 && time.day <= 31 && time.hour >= 0 && time.hour <= 23 &&
           time.minute >= 0 && time.minute <= 59 && time.second >= 0 && time.second <= 60;
}

const char* tzidOf(icalproperty* property) {
    icalparameter* parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    return parameter ? icalparameter_get_tzid(parameter) : nullptr;
}

CalAttendee::Status statusOf(icalparameter* status) {
    switch (status ? icalparameter_get_partstat(status) : ICAL_PARTSTAT_NEEDSACTION) {
    case ICAL_PARTSTAT_ACCEPTED:
        return CalAttendee::Accepted;
    case ICAL_PARTSTAT_TENTATIVE:
        return CalAttendee::Tentative;
    case ICAL_PARTSTAT_DECLINED:
        return CalAttendee::Declined;
    case ICAL_PARTSTAT_DELEGATED:
        return CalAttendee::Delegated;
    default: // an unknown answer counts as none
        return CalAttendee::NeedsAction;
    }
}

// An ATTENDEE or ORGANIZER line with its address `value`.
CalAttendee attendeeOf(icalproperty* property, const char* value) {
    CalAttendee result;
    result.address = CalAttendee::addressOf(QString::fromUtf8(value ? value : ""));
    if (icalparameter* name = icalproperty_get_first_parameter(property, ICAL_CN_PARAMETER))
        result.commonName = QString::fromUtf8(icalparameter_get_cn(name));
    result.status = statusOf(icalproperty_get_first_parameter(property, ICAL_PARTSTAT_PARAMETER));
    icalparameter* rsvp = icalproperty_get_first_parameter(property, ICAL_RSVP_PARAMETER);
    result.replyRequested = rsvp && icalparameter_get_rsvp(rsvp) == ICAL_RSVP_TRUE;
    return result;
}

CalAlarm::Action actionOf(icalproperty_action action) {
    switch (action) {
    case ICAL_ACTION_EMAIL:
        return CalAlarm::Email;
    case ICAL_ACTION_PROCEDURE:
        return CalAlarm::Procedure;
    case ICAL_ACTION_AUDIO:
        return CalAlarm::Sound;
    default:
        return CalAlarm::Display;
    }
}

} // namespace

IcsEventReader::IcsEventReader(IcsZoneTable& zones, QStringList& warnings)
    : m_zones(zones), m_warnings(warnings) {}

std::optional<IcsTime> IcsEventReader::timeOf(icalproperty* property) {
    icalvalue* value = property ? icalproperty_get_value(property) : nullptr;
    if (!value)
        return std::nullopt;
    switch (icalvalue_isa(value)) {
    case ICAL_DATE_VALUE:
        return timeOf(icalvalue_get_date(value), property);
    case ICAL_DATETIME_VALUE:
        return timeOf(icalvalue_get_datetime(value), property);
    case ICAL_DATETIMEPERIOD_VALUE:
        return timeOf(icalvalue_get_datetimeperiod(value).time, property);
    default:
        return std::nullopt;
    }
}

std::optional<IcsTime> IcsEventReader::timeOf(const icaltimetype& time, icalproperty* property) {
    if (!isPlausible(time))
        return std::nullopt;
    IcsTime result;
    result.wall = WallTime{time.year, time.month, time.day, time.hour, time.minute, time.second};
    result.isDate = time.is_date != 0;
    if (result.isDate)
        result.wall = result.wall.startOfDay();
    else if (icaltime_is_utc(time))
        result.zone = WallClockZone::utc();
    else if (const char* tzid = tzidOf(property))
        result.zone = m_zones.zone(QString::fromUtf8(tzid));
    return result;
}

std::optional<IcsRecurrence::Period> IcsEventReader::periodOf(icalproperty* property) {
    icalvalue* value = icalproperty_get_value(property);
    if (!value || icalvalue_isa(value) != ICAL_PERIOD_VALUE)
        return std::nullopt;
    const icalperiodtype period = icalvalue_get_period(value);
    const std::optional<IcsTime> start = timeOf(period.start, property);
    if (!start || start->isDate)
        return std::nullopt;
    IcsEventData::Duration duration;
    if (!icaltime_is_null_time(period.end)) {
        const std::optional<IcsTime> end = timeOf(period.end, property);
        if (!end)
            return std::nullopt;
        duration = durationBetween(*start, *end);
    } else {
        duration = durationOf(period.duration);
    }
    return IcsRecurrence::Period{*start, checked(duration)};
}

IcsEventData::Duration IcsEventReader::durationBetween(const IcsTime& start, const IcsTime& end) {
    IcsEventData::Duration duration;
    if (start.isDate) {
        duration.days = end.wall.dayNumber() - start.wall.dayNumber();
    } else {
        const bool floating = start.zone.isDefault() && end.zone.isDefault() && !end.isDate;
        duration.seconds = floating ? end.wall.localSeconds() - start.wall.localSeconds()
                                    : (end.toMSecs() - start.toMSecs()) / 1000;
    }
    return duration;
}

IcsEventData::Duration IcsEventReader::durationOf(const icaldurationtype& value) {
    const int sign = value.is_neg ? -1 : 1;
    return IcsEventData::Duration{sign * qint64(value.weeks * 7 + value.days),
                                  sign * qint64(value.hours * 3600 + value.minutes * 60 + value.seconds)};
}

IcsEventData::Duration IcsEventReader::checked(IcsEventData::Duration duration) {
    if (duration.days < 0 || duration.seconds < 0) {
        m_warnings.append(QStringLiteral("an event ends before it starts: read as lasting no time"));
        return {};
    }
    return duration;
}

IcsEventData::Duration IcsEventReader::durationOf(icalcomponent* vevent, const IcsTime& start) {
    IcsEventData::Duration duration;
    if (const auto end = timeOf(icalcomponent_get_first_property(vevent, ICAL_DTEND_PROPERTY)))
        duration = durationBetween(start, *end);
    else if (icalproperty* property = icalcomponent_get_first_property(vevent, ICAL_DURATION_PROPERTY))
        duration = durationOf(icalproperty_get_duration(property));
    else if (start.isDate)
        duration.days = 1; // a date alone is that one day
    duration = checked(duration);
    if (start.isDate && duration.days <= 0)
        duration = IcsEventData::Duration{1, 0};
    return duration;
}

std::optional<IcsEventData::Alarm> IcsEventReader::alarmOf(icalcomponent* valarm) {
    icalproperty* trigger = icalcomponent_get_first_property(valarm, ICAL_TRIGGER_PROPERTY);
    icalproperty* action = icalcomponent_get_first_property(valarm, ICAL_ACTION_PROPERTY);
    if (!trigger) {
        m_warnings.append(QStringLiteral("an alarm without a usable TRIGGER skipped"));
        return std::nullopt;
    }
    if (action && icalproperty_get_action(action) == ICAL_ACTION_NONE)
        return std::nullopt; // a placeholder that never alerts
    auto alarm = CalAlarm::alarm();
    alarm->setAction(action ? actionOf(icalproperty_get_action(action)) : CalAlarm::Display);
    if (const std::optional<QString> sound = IcsAlarmSound::of(valarm))
        alarm->setSound(*sound);
    IcsEventData::Alarm result;
    const icaltriggertype when = icalproperty_get_trigger(trigger);
    if (isPlausible(when.time)) {
        const WallTime wall{when.time.year, when.time.month,  when.time.day,
                            when.time.hour, when.time.minute, when.time.second};
        alarm->setAbsoluteTrigger(icaltime_is_utc(when.time) ? WallClockZone::utc().toInstant(wall)
                                                             : WallClockZone().toInstant(wall));
    } else {
        alarm->setRelativeTrigger(icaldurationtype_as_int(when.duration));
        icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        result.relatedToEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
    }
    if (icalproperty* attach = icalcomponent_get_first_property(valarm, ICAL_ATTACH_PROPERTY)) {
        icalattach* attachment = icalproperty_get_attach(attach);
        if (attachment && icalattach_get_is_url(attachment) && alarm->action() == CalAlarm::Procedure)
            alarm->setUrl(QUrl(QString::fromUtf8(icalattach_get_url(attachment))));
    }
    if (alarm->action() == CalAlarm::Procedure)
        if (icalproperty* description = icalcomponent_get_first_property(valarm, ICAL_DESCRIPTION_PROPERTY))
            alarm->setProcedureArguments(QString::fromUtf8(icalproperty_get_description(description)));
    if (alarm->action() == CalAlarm::Email)
        if (icalproperty* attendee = icalcomponent_get_first_property(valarm, ICAL_ATTENDEE_PROPERTY))
            alarm->setEmailAddress(
                CalAttendee::addressOf(QString::fromUtf8(icalproperty_get_attendee(attendee))));
    result.alarm = std::move(alarm);
    return result;
}

std::optional<IcsEventData> IcsEventReader::read(icalcomponent* vevent) {
    IcsEventData data;
    if (icalproperty* uid = icalcomponent_get_first_property(vevent, ICAL_UID_PROPERTY))
        data.uid = QString::fromUtf8(icalproperty_get_uid(uid));
    const auto start = timeOf(icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY));
    if (!start) {
        m_warnings.append(
            QStringLiteral("an event without a usable DTSTART skipped (UID \"%1\")").arg(data.uid));
        return std::nullopt;
    }
    data.start = *start;
    data.duration = durationOf(vevent, data.start);
    if (icalproperty* recurrenceId = icalcomponent_get_first_property(vevent, ICAL_RECURRENCEID_PROPERTY)) {
        data.recurrenceId = timeOf(recurrenceId);
        if (!data.recurrenceId) {
            m_warnings.append(QStringLiteral("an override without a usable RECURRENCE-ID skipped"));
            return std::nullopt;
        }
        icalparameter* range = icalproperty_get_first_parameter(recurrenceId, ICAL_RANGE_PARAMETER);
        data.thisAndFuture = range && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE;
    }
    if (icalproperty* sequence = icalcomponent_get_first_property(vevent, ICAL_SEQUENCE_PROPERTY))
        data.sequence = icalproperty_get_sequence(sequence);
    if (icalproperty* summary = icalcomponent_get_first_property(vevent, ICAL_SUMMARY_PROPERTY))
        data.title = QString::fromUtf8(icalproperty_get_summary(summary));
    if (icalproperty* location = icalcomponent_get_first_property(vevent, ICAL_LOCATION_PROPERTY))
        data.location = QString::fromUtf8(icalproperty_get_location(location));
    if (icalproperty* description = icalcomponent_get_first_property(vevent, ICAL_DESCRIPTION_PROPERTY))
        data.notes = QString::fromUtf8(icalproperty_get_description(description));
    if (icalproperty* url = icalcomponent_get_first_property(vevent, ICAL_URL_PROPERTY))
        data.url = QUrl(QString::fromUtf8(icalproperty_get_url(url)));
    for (icalcomponent* valarm = icalcomponent_get_first_component(vevent, ICAL_VALARM_COMPONENT); valarm;
         valarm = icalcomponent_get_next_component(vevent, ICAL_VALARM_COMPONENT))
        if (auto alarm = alarmOf(valarm))
            data.alarms.append(std::move(*alarm));
    for (icalproperty* attendee = icalcomponent_get_first_property(vevent, ICAL_ATTENDEE_PROPERTY); attendee;
         attendee = icalcomponent_get_next_property(vevent, ICAL_ATTENDEE_PROPERTY))
        data.attendees.append(attendeeOf(attendee, icalproperty_get_attendee(attendee)));
    if (icalproperty* organizer = icalcomponent_get_first_property(vevent, ICAL_ORGANIZER_PROPERTY))
        data.organizer = attendeeOf(organizer, icalproperty_get_organizer(organizer));
    return data;
}

IcsRecurrence IcsEventReader::readRecurrence(icalcomponent* vevent) {
    IcsRecurrence recurrence;
    for (icalproperty* rrule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY); rrule;
         rrule = icalcomponent_get_next_property(vevent, ICAL_RRULE_PROPERTY)) {
        char* text = icalproperty_get_value_as_string_r(rrule);
        if (text && *text)
            recurrence.rrules.append(QByteArray(text));
        free(text);
    }
    if (icalcomponent_get_first_property(vevent, ICAL_EXRULE_PROPERTY))
        m_warnings.append(QStringLiteral("EXRULE ignored"));
    for (icalproperty* rdate = icalcomponent_get_first_property(vevent, ICAL_RDATE_PROPERTY); rdate;
         rdate = icalcomponent_get_next_property(vevent, ICAL_RDATE_PROPERTY)) {
        if (const auto time = timeOf(rdate))
            recurrence.rdates.append(*time);
        else if (const auto period = periodOf(rdate))
            recurrence.periods.append(*period);
        else
            m_warnings.append(QStringLiteral("an RDATE that is not a date or a period skipped"));
    }
    for (icalproperty* exdate = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY); exdate;
         exdate = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY)) {
        if (const auto time = timeOf(exdate))
            recurrence.exdates.append(*time);
        else
            m_warnings.append(QStringLiteral("an EXDATE that is not a date skipped"));
    }
    return recurrence;
}

DateForm IcsEventReader::formOf(icalproperty* property) {
    icalvalue* value = property ? icalproperty_get_value(property) : nullptr;
    if (!value)
        return DateForm{};
    const icaltimetype time =
        icalvalue_isa(value) == ICAL_DATE_VALUE ? icalvalue_get_date(value) : icalvalue_get_datetime(value);
    if (time.is_date)
        return DateForm{DateForm::Date, QString()};
    if (icaltime_is_utc(time))
        return DateForm{DateForm::Utc, QString()};
    if (const char* tzid = tzidOf(property))
        return DateForm{DateForm::Zoned, QString::fromUtf8(tzid)};
    return DateForm{DateForm::Floating, QString()};
}
