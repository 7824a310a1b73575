#include "IcsReader.h"

#include "IcsEventReader.h"
#include "IcsLineFeed.h"
#include "IcsSeriesData.h"
#include "IcsZoneTable.h"
#include "RecurrenceRuleRepair.h"

#include <QHash>

#include <libical/ical.h>

namespace {

// libical reads lines ending in LF or CRLF; some producers end them in CR alone, and a byte-order mark
// would spoil the first line. libical drops bytes that are not UTF-8, so a file in another encoding is
// taken for Latin-1, the usual one of old producers.
QByteArray prepared(const QByteArray& fileText, QStringList& warnings) {
    QByteArray text = fileText.startsWith("\xEF\xBB\xBF") ? fileText.mid(3) : fileText;
    if (!QUtf8StringView(text).isValidUtf8()) {
        warnings.append(QStringLiteral("not UTF-8: read as Latin-1"));
        text = QString::fromLatin1(text).toUtf8();
    }
    for (qsizetype at = text.indexOf('\r'); at >= 0; at = text.indexOf('\r', at + 1))
        if (at + 1 == text.size() || text[at + 1] != '\n')
            text[at] = '\n';
    return text;
}

void collect(icalcomponent* component, QList<icalcomponent*>& vevents, QList<icalcomponent*>& vtimezones) {
    switch (icalcomponent_isa(component)) {
    case ICAL_VEVENT_COMPONENT:
        vevents.append(component);
        break;
    case ICAL_VTIMEZONE_COMPONENT:
        vtimezones.append(component);
        break;
    case ICAL_VCALENDAR_COMPONENT:
    case ICAL_XROOT_COMPONENT:
        for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            collect(child, vevents, vtimezones);
        break;
    default:
        break;
    }
}

struct Candidate {
    IcsEventData data;
    IcsRecurrence recurrence;
    DateForm form;
};

struct Group {
    std::optional<Candidate> master;
    QList<Candidate> overrides;
};

// The higher SEQUENCE wins; on a tie the one read later, as the newer edit of the same occurrence.
void keep(std::optional<Candidate>& slot, Candidate candidate, QStringList& warnings) {
    if (slot) {
        warnings.append(QStringLiteral("two events for one occurrence of \"%1\": the one with the higher "
                                       "SEQUENCE used")
                            .arg(candidate.data.uid));
        if (slot->data.sequence > candidate.data.sequence)
            return;
    }
    slot = std::move(candidate);
}

void addOverride(Group& group, Candidate candidate, QStringList& warnings) {
    const qint64 id = candidate.data.recurrenceId->toMSecs();
    for (Candidate& existing : group.overrides) {
        if (existing.data.recurrenceId->toMSecs() == id) {
            std::optional<Candidate> slot = std::move(existing);
            keep(slot, std::move(candidate), warnings);
            existing = std::move(*slot);
            return;
        }
    }
    group.overrides.append(std::move(candidate));
}

IcsSeries seriesOf(const QString& uid, Group group) {
    auto data = std::make_shared<IcsSeriesData>();
    data->uid = uid;
    const bool allDay = group.master && group.master->data.start.isDate;
    for (Candidate& candidate : group.overrides) {
        // Producers name a day of an all-day series by a time too, often its midnight in UTC: the day
        // written is the one meant, whatever the zone.
        IcsTime& id = *candidate.data.recurrenceId;
        if (allDay && !id.isDate)
            id = IcsTime{id.wall.startOfDay(), true, WallClockZone()};
        data->overrides.append(std::move(candidate.data));
    }
    if (group.master) {
        Candidate& master = *group.master;
        data->startForm = master.form;
        data->zone = master.data.start.zone;
        data->master = std::move(master.data);
        data->setRecurrence(std::move(master.recurrence));
    } else {
        data->startForm = group.overrides.first().form;
        data->zone = data->overrides.first().recurrenceId->zone;
    }
    return IcsSeries(std::move(data));
}

} // namespace

IcsReadResult IcsReader::read(const QByteArray& fileText) {
    // Without this libical drops parameters it does not know.
    static const bool configured = [] {
        ical_set_unknown_token_handling_setting(ICAL_ASSUME_IANA_TOKEN);
        return true;
    }();
    (void)configured;

    IcsReadResult result;
    const QByteArray text =
        RecurrenceRuleRepair::repaired(prepared(fileText, result.warnings), result.warnings);
    icalcomponent* root = IcsLineFeed::parse(text);
    if (!root) {
        result.malformed = true;
        result.warnings.append(QStringLiteral("not iCalendar text libical can read"));
        return result;
    }
    QList<icalcomponent*> vevents;
    QList<icalcomponent*> vtimezones;
    collect(root, vevents, vtimezones);
    if (const int errors = icalcomponent_count_errors(root))
        result.warnings.append(QStringLiteral("%1 lines or values could not be read").arg(errors));

    IcsZoneTable zones(vtimezones, result.warnings);
    IcsEventReader reader(zones, result.warnings);
    QStringList order;
    QHash<QString, Group> groups;
    for (icalcomponent* vevent : vevents) {
        auto data = reader.read(vevent);
        if (!data)
            continue;
        Candidate candidate{std::move(*data), {}, {}};
        // Each VEVENT without a UID stands alone; the key only has to differ from every real UID.
        const QString key =
            candidate.data.uid.isEmpty() ? QStringLiteral("\n%1").arg(order.size()) : candidate.data.uid;
        if (!groups.contains(key))
            order.append(key);
        Group& group = groups[key];
        if (candidate.data.recurrenceId) {
            candidate.form =
                IcsEventReader::formOf(icalcomponent_get_first_property(vevent, ICAL_RECURRENCEID_PROPERTY));
            addOverride(group, std::move(candidate), result.warnings);
        } else {
            candidate.form =
                IcsEventReader::formOf(icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY));
            candidate.recurrence = reader.readRecurrence(vevent);
            keep(group.master, std::move(candidate), result.warnings);
        }
    }
    icalcomponent_free(root);

    for (const QString& key : order) {
        Group& group = groups[key];
        const QString uid = group.master ? group.master->data.uid : group.overrides.first().data.uid;
        result.series.append(seriesOf(uid, std::move(group)));
    }
    if (result.series.isEmpty()) {
        result.malformed = true;
        result.warnings.append(vevents.isEmpty() ? QStringLiteral("no event in the file")
                                                 : QStringLiteral("no usable event in the file"));
    }
    result.warnings.removeDuplicates();
    return result;
}
