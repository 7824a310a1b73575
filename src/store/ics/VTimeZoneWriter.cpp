#include "VTimeZoneWriter.h"

#include "base/InternalInconsistency.h"
#include "dates/DateEnvironment.h"
#include "dates/IcuText.h"

#include <QTimeZone>

#include <unicode/vtzone.h>

#include <memory>

namespace {

IcsComponent zoneComponent(const QString& tzid, const QDateTime& from) {
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
    return *components.first();
}

} // namespace

QString VTimeZoneWriter::addDefaultZone(IcsDocument& document, const QDateTime& from) {
    const QString tzid = DateEnvironment::timeZoneId();
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
            return tzid;
    }
    body.addChild(zoneComponent(tzid, from), firstOther);
    return tzid;
}
