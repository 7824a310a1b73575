#include "IcsAlarmSound.h"

#include "ContentLine.h"

#include <QFileInfo>
#include <QUrl>

const QString IcsAlarmSound::PROPERTY = QStringLiteral("X-VERDALUNE-SOUND");

namespace {

std::optional<QString> propertyOf(icalcomponent* valarm) {
    const QByteArray name = IcsAlarmSound::PROPERTY.toLatin1();
    for (icalproperty* property = icalcomponent_get_first_property(valarm, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(valarm, ICAL_X_PROPERTY)) {
        const char* propertyName = icalproperty_get_x_name(property);
        if (propertyName && qstricmp(propertyName, name.constData()) == 0)
            return ContentLine::unescapeText(QString::fromUtf8(icalproperty_get_x(property)));
    }
    return std::nullopt;
}

QString attachedSound(icalcomponent* valarm) {
    icalproperty* attach = icalcomponent_get_first_property(valarm, ICAL_ATTACH_PROPERTY);
    icalattach* attachment = attach ? icalproperty_get_attach(attach) : nullptr;
    if (!attachment || !icalattach_get_is_url(attachment))
        return QString();
    const QString target = QString::fromUtf8(icalattach_get_url(attachment));
    const QUrl url(target);
    return url.isLocalFile() ? QFileInfo(url.toLocalFile()).completeBaseName() : target;
}

} // namespace

std::optional<QString> IcsAlarmSound::of(icalcomponent* valarm) {
    icalproperty* action = icalcomponent_get_first_property(valarm, ICAL_ACTION_PROPERTY);
    const icalproperty_action kind = action ? icalproperty_get_action(action) : ICAL_ACTION_DISPLAY;
    if (kind == ICAL_ACTION_AUDIO)
        return attachedSound(valarm);
    if (kind != ICAL_ACTION_DISPLAY)
        return std::nullopt;
    const std::optional<QString> named = propertyOf(valarm);
    return named && !named->isEmpty() ? named : std::nullopt;
}
