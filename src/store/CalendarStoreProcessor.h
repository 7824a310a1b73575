#pragma once

#include "StoreChanges.h"

#include <QObject>
#include <QString>

#include <exception>

class ApplicationModel;
class CalendarStoreController;

// Turns one kind of store notification into model changes: deletions first, then insertions, then
// updates, record by record.
class CalendarStoreProcessor : public QObject {
    Q_OBJECT
public:
    CalendarStoreProcessor(ApplicationModel& model, CalendarStoreController& storeController);

    // A failure on the way stops the rest and is shown to the user; the model may then be partly updated.
    void processChanges(const StoreChanges& changes);

signals:
    // After every notification processed without failure.
    void didProcessChanges();

protected:
    virtual void deleteObjectsWithUid(const QString& uid) = 0;
    virtual void addObjectsWithUid(const QString& uid) = 0;
    // Fetches the records of the uid again and puts them in place of the model's.
    virtual void updateObjectsWithUid(const QString& uid) = 0;
    // Tells the user that the model may no longer show the store as it is.
    void reportFailure(const std::exception& exception);

    ApplicationModel& m_model;
    CalendarStoreController& m_storeController;
};
