#include "VEventWriter.h"

#include "IcsAlarmSound.h"
#include "IcsValueFormat.h"
#include "RecurrenceRuleText.h"
#include "VTimeZoneWriter.h"
#include "base/InternalInconsistency.h"
#include "dates/DateEnvironment.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// Sets a property to a value, or removes it for an empty value.
void setOrRemove(IcsComponent& component, const QString& name, const QString& value) {
    if (value.isEmpty())
        component.removeProperties(name);
    else
        component.setProperty(ContentLine(name, value));
}

// The alarms that alert in some way; one without an action is left out of the file.
QList<std::shared_ptr<CalAlarm>> writtenAlarms(const QList<std::shared_ptr<CalAlarm>>& alarms) {
    QList<std::shared_ptr<CalAlarm>> result;
    std::copy_if(alarms.begin(), alarms.end(), std::back_inserter(result),
                 [](const auto& alarm) { return alarm->action() != CalAlarm::NoAction; });
    return result;
}

bool sameAlarms(const QList<std::shared_ptr<CalAlarm>>& before,
                const QList<std::shared_ptr<CalAlarm>>& after) {
    const auto a = writtenAlarms(before);
    const auto b = writtenAlarms(after);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& x, const auto& y) { return x->sameAs(*y); });
}

void removeRecurrence(IcsComponent& event) {
    for (const char16_t* name : {u"RRULE", u"RDATE", u"EXRULE", u"EXDATE"})
        event.removeProperties(name);
}

bool hasEndDate(const CalRecurrenceRule* rule) {
    return rule && rule->recurrenceEnd && rule->recurrenceEnd->usesEndDate;
}

// Four-digit years in the default zone and in UTC, which is what the text formats can hold.
bool writable(const QDateTime& instant) {
    if (!instant.isValid())
        return false;
    const int local = CalendarDate::fromQDateTime(instant).year();
    const int utc = instant.toUTC().date().year();
    return local >= 1 && local <= 9999 && utc >= 1 && utc <= 9999;
}

StoreError invalid(const QString& description) {
    StoreError error;
    error.code = StoreError::InvalidRecord;
    error.description = description;
    error.recoverySuggestion = QStringLiteral("Change the event's dates and save it again.");
    return error;
}

// The date of the first day and of the day after the last one that the all-day event covers; an all-day
// event covers at least its first day.
std::pair<QString, QString> allDayDates(const CalEvent& event) {
    const CalendarDate start = CalendarDate::fromQDateTime(event.startDate);
    const CalendarDate end = CalendarDate::fromQDateTime(event.endDate);
    const CalendarDate lastMoment = end > start ? end.addingSeconds(-0.001) : start;
    return {IcsValueFormat::localDate(start), IcsValueFormat::localDate(lastMoment.dateByAddingDays(1))};
}

IcsComponent alarmComponent(const CalAlarm& alarm, const QString& title) {
    // A message with a sound is a message to other programs: an AUDIO alarm shows nothing there.
    static const char* const ACTIONS[] = {"DISPLAY", "EMAIL", "PROCEDURE", "DISPLAY"};
    VL_ASSERT(alarm.action() != CalAlarm::NoAction, QStringLiteral("an alarm with an action"));
    IcsComponent result(QStringLiteral("VALARM"));
    result.addProperty(ContentLine(QStringLiteral("ACTION"), QString::fromLatin1(ACTIONS[alarm.action()])));
    if (alarm.absoluteTrigger()) {
        ContentLine trigger(QStringLiteral("TRIGGER"), IcsValueFormat::utcDateTime(*alarm.absoluteTrigger()));
        trigger.setParameter(QStringLiteral("VALUE"), {QStringLiteral("DATE-TIME")});
        result.addProperty(trigger);
    } else {
        const auto seconds = qint64(std::llround(alarm.relativeTrigger()));
        result.addProperty(ContentLine(QStringLiteral("TRIGGER"), IcsValueFormat::duration(seconds)));
    }
    const QString message = ContentLine::escapeText(title.isEmpty() ? QStringLiteral("Reminder") : title);
    switch (alarm.action()) {
    case CalAlarm::Display:
        result.addProperty(ContentLine(QStringLiteral("DESCRIPTION"), message));
        break;
    case CalAlarm::Email:
        result.addProperty(ContentLine(QStringLiteral("DESCRIPTION"), message));
        result.addProperty(ContentLine(QStringLiteral("SUMMARY"), message));
        if (!alarm.emailAddress().isEmpty())
            result.addProperty(
                ContentLine(QStringLiteral("ATTENDEE"), QStringLiteral("mailto:") + alarm.emailAddress()));
        break;
    case CalAlarm::Procedure:
        if (!alarm.url().isEmpty())
            result.addProperty(
                ContentLine(QStringLiteral("ATTACH"), QString::fromUtf8(alarm.url().toEncoded())));
        if (!alarm.procedureArguments().isEmpty())
            result.addProperty(ContentLine(QStringLiteral("DESCRIPTION"),
                                           ContentLine::escapeText(alarm.procedureArguments())));
        break;
    case CalAlarm::Sound:
        result.addProperty(ContentLine(QStringLiteral("DESCRIPTION"), message));
        // The sound goes with the message rather than in an AUDIO alarm of its own beside it: one alarm
        // stays one VALARM, which other programs snooze, dismiss or delete as a whole, and a sound's name
        // means the same on every computer the calendar reaches, where a file's path need not exist.
        if (!alarm.sound().isEmpty())
            result.addProperty(ContentLine(IcsAlarmSound::PROPERTY, ContentLine::escapeText(alarm.sound())));
        break;
    case CalAlarm::NoAction:
        break;
    }
    return result;
}

} // namespace

VEventWriter::VEventWriter(IcsDocument& document, QDateTime now)
    : m_document(document), m_now(std::move(now)) {}

std::optional<StoreError> VEventWriter::check(const CalEvent& event) {
    bool datesWritable = writable(event.startDate) && writable(event.endDate);
    for (const auto& alarm : event.alarms)
        datesWritable = datesWritable && (!alarm->absoluteTrigger() || writable(*alarm->absoluteTrigger()));
    if (hasEndDate(event.recurrenceRule.get()))
        datesWritable = datesWritable && writable(event.recurrenceRule->recurrenceEnd->endDate);
    if (!datesWritable)
        return invalid(QStringLiteral("The event has a date that cannot be stored."));
    if (event.endDate < event.startDate)
        return invalid(QStringLiteral("The event ends before it starts."));
    return std::nullopt;
}

IcsDocument VEventWriter::documentWithEvent(const CalEvent& event, const QDateTime& now) {
    IcsDocument document = IcsDocument::create();
    IcsComponent& vevent = document.body().addChild(IcsComponent(QStringLiteral("VEVENT")));
    VEventWriter(document, now).write(vevent, nullptr, event);
    return document;
}

bool VEventWriter::write(IcsComponent& event, const CalEvent* before, const CalEvent& after) {
    VL_ASSERT(!check(after), "VEventWriter: the record cannot be written");
    if (!before) {
        event.setProperty(ContentLine(QStringLiteral("UID"), ContentLine::escapeText(after.uid)));
        event.setProperty(ContentLine(QStringLiteral("DTSTAMP"), IcsValueFormat::utcDateTime(m_now)));
        event.setProperty(ContentLine(QStringLiteral("CREATED"), IcsValueFormat::utcDateTime(m_now)));
    }
    const bool kindChanged = !before || before->isAllDay != after.isAllDay;
    const bool startChanged = kindChanged || before->startDate != after.startDate;
    // A DURATION, or no end at all, counts from the start, so a moved start moves the end.
    const bool endChanged =
        kindChanged || before->endDate != after.endDate || (startChanged && !event.property(u"DTEND"));
    if (startChanged)
        writeStart(event, after);
    if (endChanged)
        writeEnd(event, after);
    bool changed = startChanged || endChanged;

    const auto writeText = [&](const QString& name, QString CalEvent::*field) {
        if (before && before->*field == after.*field)
            return;
        setOrRemove(event, name, ContentLine::escapeText(after.*field));
        changed = true;
    };
    writeText(QStringLiteral("SUMMARY"), &CalEvent::title);
    writeText(QStringLiteral("LOCATION"), &CalEvent::location);
    writeText(QStringLiteral("DESCRIPTION"), &CalEvent::notes);
    if (before && before->notes != after.notes)
        event.removeProperties(u"X-ALT-DESC"); // a formatted copy of the old notes that some programs show
    if (!before || before->url != after.url) {
        setOrRemove(event, QStringLiteral("URL"), QString::fromUtf8(after.url.toEncoded()));
        changed = true;
    }
    // A rule whose UNTIL is a DATE for all-day events and a UTC time otherwise must follow the kind.
    const bool ruleChanged =
        !before || !CalRecurrenceRule::same(before->recurrenceRule.get(), after.recurrenceRule.get()) ||
        (kindChanged && hasEndDate(after.recurrenceRule.get()));
    if (ruleChanged && !event.property(u"RECURRENCE-ID")) {
        writeRule(event, before, after);
        changed = true;
    }
    if (!before || !sameAlarms(before->alarms, after.alarms)) {
        writeAlarms(event, after);
        changed = true;
    }
    const bool answered =
        before && replaceAnswers(event, CalAttendee::changedAnswers(before->attendees, after.attendees));
    if ((changed || answered) && before)
        stamp(event, changed);
    // Also the zones of times the program did not write: of a component copied from the master, of the
    // other components of a file another program wrote.
    if (changed || answered)
        addMissingZones();
    return changed || answered;
}

bool VEventWriter::writeAnswers(IcsComponent& event, const QList<CalAttendee>& answers) {
    if (!replaceAnswers(event, answers))
        return false;
    stamp(event, false);
    return true;
}

bool VEventWriter::replaceAnswers(IcsComponent& event, const QList<CalAttendee>& answers) {
    static const char* const STATUSES[] = {"NEEDS-ACTION", "ACCEPTED", "TENTATIVE", "DECLINED", "DELEGATED"};
    bool changed = false;
    event.replaceProperties(u"ATTENDEE", [&](const ContentLine& line) {
        const QString address = CalAttendee::addressOf(line.value());
        const auto answer = std::find_if(answers.begin(), answers.end(),
                                         [&](const CalAttendee& one) { return one.hasAddress(address); });
        if (answer == answers.end())
            return line;
        ContentLine result = line;
        result.setParameter(QStringLiteral("PARTSTAT"), {QString::fromLatin1(STATUSES[answer->status])});
        if (answer->replyRequested)
            result.setParameter(QStringLiteral("RSVP"), {QStringLiteral("TRUE")});
        else
            result.removeParameter(u"RSVP");
        changed = changed || result.text() != line.text();
        return result;
    });
    return changed;
}

ContentLine VEventWriter::timeLine(const QString& name, const QDateTime& instant, const CalEvent& after) {
    ContentLine line(name, QString());
    if (const std::optional<QString> tzid = VTimeZoneWriter::addDefaultZone(m_document, after.startDate)) {
        line.setValue(IcsValueFormat::localDateTime(CalendarDate::fromQDateTime(instant)));
        line.setParameter(QStringLiteral("TZID"), {*tzid});
    } else {
        line.setValue(IcsValueFormat::utcDateTime(instant));
    }
    return line;
}

void VEventWriter::writeStart(IcsComponent& event, const CalEvent& after) {
    if (after.isAllDay) {
        ContentLine start(QStringLiteral("DTSTART"), allDayDates(after).first);
        start.setParameter(QStringLiteral("VALUE"), {QStringLiteral("DATE")});
        event.setProperty(start);
    } else {
        event.setProperty(timeLine(QStringLiteral("DTSTART"), after.startDate, after));
    }
}

void VEventWriter::writeEnd(IcsComponent& event, const CalEvent& after) {
    event.removeProperties(u"DURATION");
    if (after.isAllDay) {
        ContentLine end(QStringLiteral("DTEND"), allDayDates(after).second);
        end.setParameter(QStringLiteral("VALUE"), {QStringLiteral("DATE")});
        event.setProperty(end);
    } else {
        event.setProperty(timeLine(QStringLiteral("DTEND"), after.endDate, after));
    }
}

void VEventWriter::addMissingZones() {
    for (const IcsComponent* component : m_document.body().children()) {
        const std::optional<ContentLine> start = component->property(u"DTSTART");
        const QDate day =
            start ? QDate::fromString(start->value().left(8), QStringLiteral("yyyyMMdd")) : QDate();
        const QDateTime from = day.isValid() ? QDateTime(day, QTime(0, 0), QTimeZone::utc()) : m_now;
        for (const char16_t* name : {u"DTSTART", u"DTEND", u"DUE", u"RECURRENCE-ID", u"EXDATE", u"RDATE"}) {
            for (const ContentLine& line : component->properties(name)) {
                const QStringList tzid = line.parameter(u"TZID");
                // UTC under a zone's name stays without one: a server would turn the pair into TZID=...Z.
                if (!tzid.isEmpty() && !VTimeZoneWriter::isUtc(tzid.front()))
                    VTimeZoneWriter::addZone(m_document, tzid.front(), from);
            }
        }
    }
}

void VEventWriter::writeAlarms(IcsComponent& event, const CalEvent& after) {
    event.removeChildren(u"VALARM");
    for (const auto& alarm : writtenAlarms(after.alarms))
        event.addChild(alarmComponent(*alarm, after.title));
}

IcsComponent& VEventWriter::addOverride(const IcsComponent& master, const CalEvent& before,
                                        const CalEvent& after) {
    IcsComponent occurrence = master;
    removeRecurrence(occurrence);
    occurrence.setProperty(occurrenceLine(QStringLiteral("RECURRENCE-ID"), master, after.occurrence));
    // The copy has the series' times, not the occurrence's.
    writeStart(occurrence, after);
    writeEnd(occurrence, after);
    if (!write(occurrence, &before, after))
        stamp(occurrence);
    return m_document.body().addChild(std::move(occurrence));
}

ContentLine VEventWriter::occurrenceLine(const QString& name, const IcsComponent& master,
                                         const QDateTime& occurrence) {
    const std::optional<ContentLine> start = master.property(u"DTSTART");
    const QString tzid = start ? start->parameter(u"TZID").value(0) : QString();
    const CalendarDate local = CalendarDate::fromQDateTime(occurrence);
    ContentLine result(name, IcsValueFormat::utcDateTime(occurrence));
    if (start &&
        (start->parameter(u"VALUE").contains(u"DATE", Qt::CaseInsensitive) || start->value().size() == 8)) {
        result.setValue(IcsValueFormat::localDate(local));
        result.setParameter(QStringLiteral("VALUE"), {QStringLiteral("DATE")});
    } else if (!tzid.isEmpty() && tzid == DateEnvironment::timeZoneId() && !VTimeZoneWriter::isUtc(tzid)) {
        result.setValue(IcsValueFormat::localDateTime(local));
        result.setParameter(QStringLiteral("TZID"), {tzid});
    } else if (start && tzid.isEmpty() && !start->value().endsWith(u'Z', Qt::CaseInsensitive)) {
        result.setValue(IcsValueFormat::localDateTime(local));
    }
    return result;
}

void VEventWriter::writeRule(IcsComponent& event, const CalEvent* before, const CalEvent& after) {
    const CalRecurrenceRule* rule = after.recurrenceRule.get();
    if (!rule) {
        // Without its rule the event does not repeat: dates added to or taken from the series go too.
        removeRecurrence(event);
        return;
    }
    QString until;
    if (hasEndDate(rule)) {
        const QDateTime& end = rule->recurrenceEnd->endDate;
        until = after.isAllDay ? IcsValueFormat::localDate(CalendarDate::fromQDateTime(end))
                               : IcsValueFormat::utcDateTime(end);
    }
    const std::optional<ContentLine> existing = event.property(u"RRULE");
    if (!existing || !before || !before->recurrenceRule || !before->recurrenceRule->sameBesidesEnd(*rule)) {
        // The record's rule is now the whole rule: further RRULEs of the file would add to it.
        bool first = true;
        event.removeProperties(u"RRULE", [&](const ContentLine&) { return !std::exchange(first, false); });
        event.setProperty(ContentLine(QStringLiteral("RRULE"), RecurrenceRuleText::format(*rule, until)));
        return;
    }
    // Only the end changed: keep the parts of the rule that the record does not hold (BYSETPOS, WKST, ...).
    const bool counted = rule->recurrenceEnd && !rule->recurrenceEnd->usesEndDate;
    QString text = IcsValueFormat::withRulePart(existing->value(), u"UNTIL", until);
    text = IcsValueFormat::withRulePart(
        text, u"COUNT", counted ? QString::number(rule->recurrenceEnd->occurrenceCount) : QString());
    ContentLine updated = *existing;
    updated.setValue(text);
    event.setProperty(updated);
}

void VEventWriter::stamp(IcsComponent& event, bool revision) {
    if (revision) {
        const std::optional<ContentLine> sequence = event.property(u"SEQUENCE");
        bool valid = false;
        const int current = sequence ? sequence->value().trimmed().toInt(&valid) : 0;
        event.setProperty(ContentLine(QStringLiteral("SEQUENCE"), QString::number(valid ? current + 1 : 1)));
    }
    event.setProperty(ContentLine(QStringLiteral("DTSTAMP"), IcsValueFormat::utcDateTime(m_now)));
    event.setProperty(ContentLine(QStringLiteral("LAST-MODIFIED"), IcsValueFormat::utcDateTime(m_now)));
}
