#include "CalendarStoreProcessor.h"

#include "CalendarStoreController.h"
#include "base/Logger.h"
#include "describe.h"

namespace {

const QString SUPPORT_ADDRESS = QStringLiteral("support@pellowick.example");

} // namespace

CalendarStoreProcessor::CalendarStoreProcessor(ApplicationModel& model,
                                               CalendarStoreController& storeController)
    : m_model(model), m_storeController(storeController) {}

void CalendarStoreProcessor::processChanges(const StoreChanges& changes) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL, QString());
    try {
        for (const QString& uid : changes.deleted)
            deleteObjectsWithUid(uid);
        for (const QString& uid : changes.inserted)
            addObjectsWithUid(uid);
        for (const QString& uid : changes.updated)
            updateObjectsWithUid(uid);
    } catch (const std::exception& exception) {
        reportFailure(exception);
        return;
    }
    emit didProcessChanges();
}

void CalendarStoreProcessor::reportFailure(const std::exception& exception) {
    VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
           QStringLiteral("Exception %1").arg(QString::fromUtf8(exception.what())));
    m_storeController.userInteraction().showWarning(
        tr("There was an unexpected error while handling changes to the calendar."),
        tr("Because of this error, you might not see a correct representation of you calendars, and it is "
           "recommend that you restart the application because of this.\n\nPlease report this error to "
           "%1\n\n%2\n\nDetailed information:\n%3")
            .arg(SUPPORT_ADDRESS, QString::fromUtf8(exception.what()), describe(exception)));
}
