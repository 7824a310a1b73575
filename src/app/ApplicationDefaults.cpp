#include "ApplicationDefaults.h"

#include "base/InternalInconsistency.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTime>

QVariantMap ApplicationDefaults::registeredDefaults(const QLocale& locale) {
    // The resource lives in a static library, whose unreferenced registration the linker would drop.
    Q_INIT_RESOURCE(resources);
    QFile file(QStringLiteral(":/factoryDefaults.json"));
    VL_ASSERT(file.open(QIODevice::ReadOnly), QStringLiteral("factoryDefaults resource present"));
    QVariantMap defaults = QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
    VL_ASSERT(!defaults.isEmpty(), QStringLiteral("factoryDefaults resource readable"));
    defaults.insert(QStringLiteral("timeDisplayHours"), timeDisplayHours(locale));
    defaults.insert(QStringLiteral("dayMonthOrder"), dayMonthOrder(locale));
    return defaults;
}

int ApplicationDefaults::timeDisplayHours(const QLocale& locale) {
    return locale.toString(QTime(23, 0), QLocale::ShortFormat).startsWith(QStringLiteral("11")) ? 12 : 24;
}

int ApplicationDefaults::dayMonthOrder(const QLocale& locale) {
    return locale.territory() == QLocale::UnitedStates ? 1 : 0;
}
