#include "ForeignChangeWatch.h"

#include "CalendarStoreController.h"

void ForeignChangeWatch::noteOwnChange(const QString& uid) {
    m_left.insert(uid, m_storeController.seriesText(uid));
}

void ForeignChangeWatch::noteOthersChanges(const StoreChanges& changes) {
    for (const QStringList* uids : {&changes.inserted, &changes.updated, &changes.deleted})
        for (const QString& uid : *uids) {
            const auto left = m_left.find(uid);
            if (left == m_left.end())
                continue;
            // A file touched or rewritten with the same text is no change.
            std::optional<QByteArray> now = m_storeController.seriesText(uid);
            if (now == *left)
                continue;
            *left = std::move(now);
            m_changedAt.insert(uid, m_step);
        }
}

bool ForeignChangeWatch::changedSince(quint64 step, const QString& uid) {
    m_storeController.takeInExternalChanges();
    return m_changedAt.value(uid, 0) >= step;
}
