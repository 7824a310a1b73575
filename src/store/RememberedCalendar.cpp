#include "RememberedCalendar.h"

#include "ApplicationModel.h"
#include "base/UserDefaults.h"

void RememberedCalendar::restore(ApplicationModel& model, const UserDefaults& defaults) {
    const QString remembered = defaults.value(KEY).toString();
    if (!remembered.isEmpty())
        model.setSelectedCalendarUid(remembered);
}

void RememberedCalendar::keep(ApplicationModel& model, UserDefaults& defaults) {
    restore(model, defaults);
    QObject::connect(&model, &ApplicationModel::selectedCalendarUidChanged, &defaults, [&model, &defaults] {
        if (!model.selectedCalendarUid().isEmpty())
            defaults.setValue(KEY, model.selectedCalendarUid());
    });
}
