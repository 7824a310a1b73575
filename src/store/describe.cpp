#include "describe.h"

#include <QStringList>

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

QString describe(const CalEvent& event) {
    return QStringLiteral("\"%1\" uid %2 occurrence %3 from %4 to %5")
        .arg(event.title, event.uid, event.occurrence.toString(Qt::ISODate),
             event.startDate.toString(Qt::ISODate), event.endDate.toString(Qt::ISODate));
}

QString describe(const EventList& events) {
    QStringList texts;
    for (const auto& event : events)
        texts.append(describe(*event));
    return QStringLiteral("(%1)").arg(texts.join(QStringLiteral(", ")));
}

QString describe(const CalCalendar& calendar) {
    return QStringLiteral("\"%1\" uid %2 type %3").arg(calendar.title, calendar.uid, calendar.type);
}

QString describe(const std::exception& exception) {
    const char* mangled = typeid(exception).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return QString::fromLatin1(status == 0 ? name.get() : mangled);
}
