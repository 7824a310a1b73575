#include "VTimeZoneWriter.h"

#include "base/InternalInconsistency.h"
#include "dates/DateEnvironment.h"
#include "dates/IcuText.h"

#include <QTimeZone>

#include <unicode/timezone.h>
#include <unicode/vtzone.h>

#include <memory>

namespace {

// The zone data's own identifier for a zone of that name, or nothing for a name it does not know.
std::optional<icu::UnicodeString> canonicalId(const QString& tzid) {
    icu::UnicodeString canonical;
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone::getCanonicalID(toUnicodeString(tzid), canonical, status);
    return U_SUCCESS(status) ? std::optional(canonical) : std::nullopt;
}

// Seconds east of UTC of a UTC-OFFSET value: +0100, -053000.
int offsetSeconds(const QString& value) {
    const int sign = value.startsWith(u'-') ? -1 : 1;
    const QString digits = value.mid(1);
    return sign *
           (digits.mid(0, 2).toInt() * 3600 + digits.mid(2, 2).toInt() * 60 + digits.mid(4, 2).toInt());
}

// The instant from which an observance (STANDARD or DAYLIGHT) holds: its first onset, or `from` for one
// that already held before.
QDateTime onsetOf(const IcsComponent& observance, const QDateTime& from) {
    const std::optional<ContentLine> start = observance.property(u"DTSTART");
    const std::optional<ContentLine> offset = observance.property(u"TZOFFSETFROM");
    if (!start || !offset)
        return from;
    QDateTime onset = QDateTime::fromString(start->value(), QStringLiteral("yyyyMMdd'T'HHmmss"));
    onset.setTimeZone(QTimeZone::utc());
    onset = onset.addSecs(-offsetSeconds(offset->value()));
    return onset.isValid() && onset > from ? onset : from;
}

// The zone data's rules have placeholders for names ("(STD)", "(DST)") and a property of their own
// (X-TZINFO); the names readers show are the zone's abbreviations, CET and CEST.
void nameObservances(IcsComponent& zone, const QString& tzid, const QDateTime& from) {
    zone.removeProperties(u"X-TZINFO");
    const QTimeZone names(tzid.toUtf8());
    for (IcsComponent* observance : zone.children()) {
        const QString abbreviation =
            names.isValid() ? names.abbreviation(onsetOf(*observance, from)) : QString();
        if (abbreviation.isEmpty())
            observance->removeProperties(u"TZNAME");
        else
            observance->setProperty(
                ContentLine(QStringLiteral("TZNAME"), ContentLine::escapeText(abbreviation)));
    }
}

std::optional<IcsComponent> zoneComponent(const QString& tzid, const QDateTime& from) {
    if (!canonicalId(tzid))
        return std::nullopt;
    std::unique_ptr<icu::VTimeZone> zone(icu::VTimeZone::createVTimeZoneByID(toUnicodeString(tzid)));
    VL_ASSERT(zone, "VTimeZoneWriter: no rules for " + tzid);
    const QDateTime yearStart(QDate(from.toUTC().date().year(), 1, 1), QTime(0, 0), QTimeZone::utc());
    icu::UnicodeString text;
    UErrorCode status = U_ZERO_ERROR;
    zone->write(UDate(yearStart.toMSecsSinceEpoch()), text, status);
    VL_ASSERT(U_SUCCESS(status), "VTimeZoneWriter: cannot write " + tzid);
    IcsDocument written = IcsDocument::parse(toQString(text).toUtf8());
    const QList<IcsComponent*> components = written.body().children(u"VTIMEZONE");
    VL_ASSERT(components.size() == 1, "VTimeZoneWriter: unexpected rules for " + tzid);
    IcsComponent result = *components.first();
    nameObservances(result, tzid, yearStart);
    return result;
}

} // namespace

bool VTimeZoneWriter::isUtc(const QString& tzid) {
    const std::optional<icu::UnicodeString> canonical = canonicalId(tzid);
    return canonical && (*canonical == u"Etc/UTC" || *canonical == u"Etc/GMT");
}

std::optional<QString> VTimeZoneWriter::addDefaultZone(IcsDocument& document, const QDateTime& from) {
    const QString tzid = DateEnvironment::timeZoneId();
    if (isUtc(tzid))
        return std::nullopt;
    const bool known = addZone(document, tzid, from);
    VL_ASSERT(known, "VTimeZoneWriter: no rules for the default zone " + tzid);
    return tzid;
}

bool VTimeZoneWriter::addZone(IcsDocument& document, const QString& tzid, const QDateTime& from) {
    IcsComponent& body = document.body();
    const QList<IcsComponent*> children = body.children();
    const IcsComponent* firstOther = nullptr;
    for (const IcsComponent* child : children) {
        if (!child->hasName(u"VTIMEZONE")) {
            firstOther = firstOther ? firstOther : child;
            continue;
        }
        const std::optional<ContentLine> id = child->property(u"TZID");
        if (id && id->value() == tzid)
            return true;
    }
    std::optional<IcsComponent> zone = zoneComponent(tzid, from);
    if (!zone)
        return false;
    body.addChild(std::move(*zone), firstOther);
    return true;
}
