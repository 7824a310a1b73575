#include "ImportController.h"

#include "ImportFileCheck.h"
#include "base/BoundedFile.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "records/CalAlarm.h"
#include "store/ApplicationModel.h"
#include "store/CalendarStoreController.h"
#include "store/vdir/VdirItem.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

ImportController::ImportController(ApplicationModel& model, CalendarStoreController& storeController,
                                   UndoManager& undoManager, QObject* parent)
    : QObject(parent), m_model(model), m_storeController(storeController), m_undoManager(undoManager) {}

void ImportController::run(QWidget* window) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    const QStringList paths = QFileDialog::getOpenFileNames(
        window, tr("Import Events"), QString(), tr("iCalendar files (*.ics *.ical *.ifb);;All files (*)"));
    if (!paths.isEmpty())
        importFiles(window, paths);
}

void ImportController::importFiles(QWidget* window, const QStringList& paths) {
    m_pending.append({window, paths});
    if (m_pending.size() == 1 && !m_importing)
        QTimer::singleShot(0, this, &ImportController::importPending);
}

// One request after the other: a request that comes while the dialogs of one are open waits for them.
void ImportController::importPending() {
    m_importing = true;
    while (!m_pending.isEmpty()) {
        const Request request = m_pending.takeFirst();
        if (request.window)
            importNow(request.window, request.paths);
    }
    m_importing = false;
}

void ImportController::importNow(QWidget* window, const QStringList& paths) {
    QStringList readable;
    QStringList refusals;
    for (const QString& path : paths) {
        const QString refusal = ImportFileCheck::refusal(path);
        if (refusal.isEmpty())
            readable.append(path);
        else
            refusals.append(refusal);
    }
    if (!refusals.isEmpty())
        QMessageBox::warning(window, tr("Import Events"), refusals.join(u'\n'));
    if (readable.isEmpty())
        return;
    const QString calendarUid = chooseCalendar(window, readable);
    if (calendarUid.isEmpty())
        return;
    QStringList messages;
    bool imported = false;
    for (const QString& path : readable) {
        bool ok = false;
        const QString message = importFile(path, calendarUid, ok);
        imported = imported || ok;
        messages.append(readable.size() == 1 ? message
                                             : tr("“%1”: %2").arg(QFileInfo(path).fileName(), message));
    }
    if (imported)
        QMessageBox::information(window, tr("Import Events"), messages.join(QStringLiteral("\n\n")));
    else
        QMessageBox::warning(window, tr("Import Events"), messages.join(QStringLiteral("\n\n")));
}

// The editable calendar the user picks for the files, the selected one first; empty when none is picked.
QString ImportController::chooseCalendar(QWidget* window, const QStringList& paths) {
    QStringList titles;
    QStringList uids;
    int current = 0;
    for (const auto& calendar : m_model.calendars()) {
        if (!calendar->isEditable)
            continue;
        if (calendar->uid == m_model.selectedCalendarUid())
            current = int(titles.size());
        titles.append(calendar->title);
        uids.append(calendar->uid);
    }
    if (titles.isEmpty()) {
        QMessageBox::warning(window, tr("Import Events"),
                             tr("There is no calendar that can take the events."));
        return QString();
    }
    const QString question =
        paths.size() == 1 ? tr("Import the events of “%1” into:").arg(QFileInfo(paths.front()).fileName())
                          : tr("Import the events of %1 files into:").arg(paths.size());
    bool chosen = false;
    const QString title =
        QInputDialog::getItem(window, tr("Import Events"), question, titles, current, false, &chosen);
    return chosen ? uids.value(titles.indexOf(title)) : QString();
}

QString ImportController::importFile(const QString& path, const QString& calendarUid, bool& ok) {
    ok = false;
    // A pipe or device chosen by mistake is refused rather than waited on.
    const BoundedFile::Contents contents =
        BoundedFile::read(path, VdirItem::MAX_FILE_SIZE, BoundedFile::Links::Follow);
    if (contents.tooLarge)
        return tr("“%1” is too large to be a calendar file.").arg(QFileInfo(path).fileName());
    if (contents.outcome != BoundedFile::Outcome::Read)
        return tr("“%1” cannot be read: %2")
            .arg(QFileInfo(path).fileName(), contents.outcome == BoundedFile::Outcome::Missing
                                                 ? tr("there is no such file")
                                                 : contents.why);
    const QByteArray& text = contents.bytes;
    const CalendarStore::ImportResult result = m_storeController.importCalendarText(calendarUid, text);
    if (!result.importedUids.isEmpty())
        registerUndo(calendarUid, text, result.importedUids);
    if (result.error)
        return tr("Nothing was imported. %1 %2")
            .arg(result.error->description, result.error->recoverySuggestion);
    ok = !result.importedUids.isEmpty();
    if (ok)
        if (const auto first = m_storeController.anyRecordOfSeries(result.importedUids.front()))
            emit didImport(first);
    const auto calendar = m_model.calendarWithUid(calendarUid);
    const QString title = calendar ? calendar->title : calendarUid;
    QString message = result.importedUids.isEmpty() ? tr("Nothing was imported.")
                      : result.importedUids.size() == 1
                          ? tr("1 event imported into “%1”.").arg(title)
                          : tr("%1 events imported into “%2”.").arg(result.importedUids.size()).arg(title);
    if (!result.skipped.isEmpty())
        message += QStringLiteral("\n\n") + result.skipped.join(u'\n');
    if (const int programs = programAlarmCount(result.importedUids); programs > 0)
        message += QStringLiteral("\n\n") +
                   (programs == 1 ? tr("One imported alarm would run a program. It does not run until you "
                                       "choose its program in the event editor.")
                                  : tr("%1 imported alarms would run a program. They do not run until you "
                                       "choose their program in the event editor.")
                                        .arg(programs));
    return message;
}

// The file was written by somebody else: its program alarms are kept, but nobody chose them here.
int ImportController::programAlarmCount(const QStringList& uids) {
    int count = 0;
    for (const QString& uid : uids)
        if (const auto record = m_storeController.anyRecordOfSeries(uid))
            count += int(std::count_if(record->alarms.cbegin(), record->alarms.cend(), [](const auto& alarm) {
                return alarm->action() == CalAlarm::Procedure;
            }));
    return count;
}

// Undoing removes the series this import wrote; redoing imports the same text again.
void ImportController::registerUndo(const QString& calendarUid, const QByteArray& text,
                                    const QStringList& uids) {
    m_undoManager.registerUndo([this, calendarUid, text, uids] {
        for (const QString& uid : uids) {
            const auto record = m_storeController.anyRecordOfSeries(uid);
            if (!record)
                continue; // already gone, removed by another program
            if (const auto failed = m_storeController.removeSeriesWithoutUndo(*record))
                VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
                       QStringLiteral("Error %1").arg(failed->description));
        }
        m_undoManager.registerUndo([this, calendarUid, text] {
            const auto again = m_storeController.importCalendarText(calendarUid, text);
            if (!again.importedUids.isEmpty())
                registerUndo(calendarUid, text, again.importedUids);
        });
    });
    m_undoManager.setActionName(tr("Import"));
}
