#pragma once

#include <QString>

#include <memory>

inline const QString CalCalendarTypeLocal = QStringLiteral("Local");
inline const QString CalCalendarTypeCalDAV = QStringLiteral("CalDAV");
inline const QString CalCalendarTypeSubscription = QStringLiteral("Subscription");

// A calendar as the store presents it. Identity matters: the model and the views share these objects.
class CalCalendar {
public:
    static std::shared_ptr<CalCalendar> calendar();
    std::shared_ptr<CalCalendar> copy() const;

    QString uid;
    QString title;
    QString type = CalCalendarTypeLocal;
    bool isEditable = true;
    QString color = QStringLiteral("#3A6EA5"); // "#RRGGBB"
};
