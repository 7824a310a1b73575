#include "SeriesEditor.h"

#include "OccurrenceValues.h"
#include "store/ics/IcsValueFormat.h"
#include "store/ics/VEventWriter.h"
#include "store/ics/WallTime.h"

namespace {

const QString RECURRENCE_ID = QStringLiteral("RECURRENCE-ID");
const QString EXDATE = QStringLiteral("EXDATE");
const QString RDATE = QStringLiteral("RDATE");

// Moves an instant by a number of seconds on the clock of `zone`, so that a series moved by a day keeps
// its clock time across a daylight-saving change.
QDateTime shiftedOnClock(const QDateTime& instant, qint64 seconds, const WallClockZone& zone) {
    return zone.toInstant(WallTime::fromLocalSeconds(zone.toWall(instant).localSeconds() + seconds));
}

qint64 clockDifference(const QDateTime& from, const QDateTime& to, const WallClockZone& zone) {
    return zone.toWall(to).localSeconds() - zone.toWall(from).localSeconds();
}

// The value of one part of a RRULE ("COUNT" in "FREQ=WEEKLY;COUNT=10"), empty when absent.
QString rulePart(const QString& rule, QStringView name) {
    for (const QString& part : rule.split(u';')) {
        if (part.section(u'=', 0, 0).compare(name, Qt::CaseInsensitive) == 0)
            return part.section(u'=', 1);
    }
    return QString();
}

} // namespace

SeriesEditor::SeriesEditor(IcsDocument& document, const IcsSeries& series, QDateTime now)
    : m_document(document), m_series(series), m_now(std::move(now)) {}

IcsComponent* SeriesEditor::master() const {
    return m_document.event(m_series.uid());
}

QList<QDateTime> SeriesEditor::instants(const ContentLine& line) const {
    return OccurrenceValues::instants(line, m_series.startForm(), m_series.zone());
}

QString SeriesEditor::periodLength(const ContentLine& value, const QDateTime& start) const {
    const QString length = value.value().section(u'/', 1);
    if (length.isEmpty() || length.contains(u'P'))
        return length;
    ContentLine end = value;
    end.setValue(length);
    const QList<QDateTime> at = instants(end);
    return at.isEmpty() ? QString()
                        : QStringLiteral("PT%1S").arg(std::max<qint64>(0, start.secsTo(at.front())));
}

IcsComponent* SeriesEditor::overrideFor(const QDateTime& occurrence) const {
    for (IcsComponent* event : m_document.events(m_series.uid())) {
        const std::optional<ContentLine> id = event->property(RECURRENCE_ID);
        if (id && instants(*id).contains(occurrence))
            return event;
    }
    return nullptr;
}

std::shared_ptr<CalEvent> SeriesEditor::occurrenceAsRead(const QDateTime& occurrence) const {
    if (!occurrence.isValid())
        return m_series.masterRecord();
    // Overrides may have moved their occurrence; a year either way finds all but the strangest.
    for (const auto& record : m_series.occurrences(occurrence.addDays(-400), occurrence.addDays(400))) {
        if (record->occurrence == occurrence)
            return record;
    }
    return nullptr;
}

void SeriesEditor::saveAll(const CalEvent& record) {
    IcsComponent* event = master();
    if (!event) {
        saveThis(record);
        return;
    }
    const std::shared_ptr<CalEvent> before = m_series.masterRecord();
    auto after = before->copy();
    after->assignEditableFields(record);
    // An answer to the invitation answers for every occurrence; the rest of an occurrence's list of
    // attendees is its own.
    const std::shared_ptr<CalEvent> shown = occurrenceAsRead(record.occurrence);
    const QList<CalAttendee> answers =
        CalAttendee::changedAnswers(shown ? shown->attendees : before->attendees, record.attendees);
    after->attendees = before->attendees;
    CalAttendee::applyAnswers(after->attendees, answers);
    if (m_series.isRecurring() && record.occurrence.isValid()) {
        const WallClockZone zone = record.isAllDay ? WallClockZone() : m_series.zone();
        const qint64 shift = clockDifference(record.occurrence, record.startDate, zone);
        after->startDate = shiftedOnClock(before->startDate, shift, zone);
        // The series' length changes by as much as the occurrence's did: an occurrence with a length of
        // its own (an RDATE period, an override) does not give it to the series.
        const CalEvent& from = shown ? *shown : *before;
        if (record.isAllDay) {
            const qint64 days = clockDifference(before->startDate, before->endDate, zone) +
                                clockDifference(record.startDate, record.endDate, zone) -
                                clockDifference(from.startDate, from.endDate, zone);
            after->endDate = shiftedOnClock(after->startDate, days, zone);
        } else {
            after->endDate = after->startDate.addMSecs(before->startDate.msecsTo(before->endDate) +
                                                       record.startDate.msecsTo(record.endDate) -
                                                       from.startDate.msecsTo(from.endDate));
        }
    } else {
        after->startDate = record.startDate;
        after->endDate = record.endDate;
    }
    VEventWriter writer(m_document, m_now);
    writer.write(*event, before.get(), *after);
    for (IcsComponent* other : m_document.events(m_series.uid()))
        if (other != event)
            writer.writeAnswers(*other, answers);
    if (before->recurrenceRule && !record.recurrenceRule) {
        // No longer repeating: what only a series has would otherwise linger as stray occurrences. A
        // series whose rule no record can hold (or that repeats by RDATE alone) reads without a rule and
        // keeps all of it.
        event->removeProperties(EXDATE);
        event->removeProperties(RDATE);
        event->removeProperties(u"EXRULE");
        for (IcsComponent* other : m_document.events(m_series.uid())) {
            if (other->property(RECURRENCE_ID))
                m_document.remove(other);
        }
    }
}

void SeriesEditor::saveThis(const CalEvent& record) {
    std::shared_ptr<CalEvent> before = occurrenceAsRead(record.occurrence);
    if (IcsComponent* existing = overrideFor(record.occurrence)) {
        VEventWriter(m_document, m_now).write(*existing, before.get(), record);
        return;
    }
    IcsComponent* event = master();
    if (!event)
        return;
    if (!before) {
        before = m_series.masterRecord();
        const qint64 length = before->startDate.msecsTo(before->endDate);
        before->startDate = record.occurrence;
        before->endDate = record.occurrence.addMSecs(length);
    }
    VEventWriter(m_document, m_now).addOverride(*event, *before, record);
}

SeriesEditor::Cut SeriesEditor::cutFrom(const QDateTime& occurrence) {
    Cut cut;
    for (IcsComponent* event : m_document.events(m_series.uid())) {
        const std::optional<ContentLine> id = event->property(RECURRENCE_ID);
        if (!id)
            continue;
        const QList<QDateTime> ids = instants(*id);
        if (!ids.isEmpty() && ids.front() >= occurrence) {
            cut.overrides.append({*event, ids.front()});
            m_document.remove(event);
        }
    }
    IcsComponent* event = master();
    if (!event)
        return cut;
    // Values before the occurrence stay as they are written; a line that lists none after it is untouched.
    for (const QString& name : {EXDATE, RDATE}) {
        QList<ContentLine> kept;
        event->removeProperties(name, [&](const ContentLine& line) {
            QStringList earlier;
            bool reached = false;
            for (const QString& value : line.value().split(u',', Qt::SkipEmptyParts)) {
                ContentLine one = line;
                one.setValue(value);
                const QList<QDateTime> at = instants(one);
                if (at.isEmpty() || at.front() < occurrence) {
                    earlier.append(value);
                    continue;
                }
                reached = true;
                if (name == EXDATE)
                    cut.exclusions.append(at.front());
                else
                    cut.additions.append({at.front(), periodLength(one, at.front())});
            }
            if (reached && !earlier.isEmpty()) {
                kept.append(line);
                kept.back().setValue(earlier.join(u','));
            }
            return reached;
        });
        for (const ContentLine& line : kept)
            event->addProperty(line);
    }
    return cut;
}

void SeriesEditor::endBefore(const QDateTime& occurrence) {
    IcsComponent* event = master();
    if (!event || !event->property(u"RRULE"))
        return;
    QString until;
    switch (m_series.startForm().kind) {
    case DateForm::Date: {
        const WallTime dayBefore = WallClockZone().toWall(occurrence).addingDays(-1);
        until = IcsValueFormat::date(dayBefore.year, dayBefore.month, dayBefore.day);
        break;
    }
    case DateForm::Floating: {
        const WallTime last = WallClockZone().toWall(occurrence.addSecs(-1));
        until =
            IcsValueFormat::dateTime(last.year, last.month, last.day, last.hour, last.minute, last.second);
        break;
    }
    case DateForm::Utc:
    case DateForm::Zoned:
        until = IcsValueFormat::utcDateTime(occurrence.addSecs(-1));
        break;
    }
    // Every rule ends there, but one whose COUNT ran out before stays as it is: without its COUNT it
    // would go on up to there.
    const QList<int> before = m_series.occurrencesBefore(occurrence);
    qsizetype ruleNumber = 0;
    event->replaceProperties(u"RRULE", [&](const ContentLine& rule) {
        const int used = before.value(ruleNumber++);
        bool counted = false;
        const int count = rulePart(rule.value(), u"COUNT").toInt(&counted);
        if (counted && count <= used)
            return rule;
        ContentLine ended = rule;
        ended.setValue(IcsValueFormat::withRulePart(
            IcsValueFormat::withRulePart(rule.value(), u"COUNT", QString()), u"UNTIL", until));
        return ended;
    });
}

std::optional<IcsDocument> SeriesEditor::saveFuture(const CalEvent& record, const QString& newUid) {
    IcsComponent* event = master();
    if (!event || !record.occurrence.isValid() || record.occurrence <= m_series.firstOccurrence())
        return std::nullopt;
    const QList<int> earlier = m_series.occurrencesBefore(record.occurrence);
    IcsComponent later = *event;
    const Cut cut = cutFrom(record.occurrence);
    endBefore(record.occurrence);

    IcsDocument created = IcsDocument::create();
    for (IcsComponent* zone : m_document.body().children(u"VTIMEZONE"))
        created.body().addChild(*zone);
    later.setProperty(ContentLine(QStringLiteral("UID"), newUid));
    for (const QString& name : {EXDATE, RDATE})
        later.removeProperties(name);
    // Each rule counts its own instances: the later part keeps those of each not yet used.
    qsizetype ruleNumber = 0;
    later.replaceProperties(u"RRULE", [&](const ContentLine& rule) {
        const int before = earlier.value(ruleNumber++);
        bool valid = false;
        const int count = rulePart(rule.value(), u"COUNT").toInt(&valid);
        if (!valid || count < 1)
            return rule;
        ContentLine remaining = rule;
        remaining.setValue(IcsValueFormat::withRulePart(rule.value(), u"COUNT",
                                                        QString::number(std::max(1, count - before))));
        return remaining;
    });
    IcsComponent& newMaster = created.body().addChild(later);
    const std::shared_ptr<CalEvent> before = m_series.masterRecord();
    auto after = record.copy();
    after->uid = newUid;
    after->occurrence = QDateTime();
    VEventWriter(created, m_now).write(newMaster, before.get(), *after);

    // Everything that follows moves with the occurrence the series now starts with.
    const WallClockZone zone = record.isAllDay ? WallClockZone() : m_series.zone();
    const qint64 shift = clockDifference(record.occurrence, record.startDate, zone);
    for (const QDateTime& t : cut.exclusions)
        newMaster.addProperty(
            VEventWriter::occurrenceLine(EXDATE, newMaster, shiftedOnClock(t, shift, zone)));
    for (const auto& [t, length] : cut.additions) {
        ContentLine line = VEventWriter::occurrenceLine(RDATE, newMaster, shiftedOnClock(t, shift, zone));
        if (!length.isEmpty() && m_series.startForm().kind != DateForm::Date) {
            line.setValue(line.value() + u'/' + length);
            line.setParameter(QStringLiteral("VALUE"), {QStringLiteral("PERIOD")});
        }
        newMaster.addProperty(line);
    }
    for (const auto& [component, id] : cut.overrides) {
        IcsComponent moved = component;
        moved.setProperty(ContentLine(QStringLiteral("UID"), newUid));
        moved.setProperty(
            VEventWriter::occurrenceLine(RECURRENCE_ID, newMaster, shiftedOnClock(id, shift, zone)));
        created.body().addChild(moved);
    }
    return created;
}

void SeriesEditor::removeThis(const CalEvent& record) {
    if (IcsComponent* existing = overrideFor(record.occurrence))
        m_document.remove(existing);
    if (IcsComponent* event = master())
        event->addProperty(VEventWriter::occurrenceLine(EXDATE, *event, record.occurrence));
}

bool SeriesEditor::removeFuture(const CalEvent& record) {
    if (!master() || !record.occurrence.isValid() || record.occurrence <= m_series.firstOccurrence())
        return false;
    cutFrom(record.occurrence);
    endBefore(record.occurrence);
    return true;
}

void SeriesEditor::removeAll() {
    for (IcsComponent* event : m_document.events(m_series.uid()))
        m_document.remove(event);
}

bool SeriesEditor::documentIsEmpty() const {
    IcsComponent& body = m_document.body();
    return body.children(u"VEVENT").isEmpty() && body.children(u"VTODO").isEmpty() &&
           body.children(u"VJOURNAL").isEmpty();
}
