#include "SyncConflictController.h"

#include "accounts/CalDavAccounts.h"
#include "base/Logger.h"
#include "store/ApplicationModel.h"

#include <QMessageBox>
#include <QPushButton>

SyncConflictController::SyncConflictController(ApplicationModel& model, CalDavAccounts& accounts,
                                               QObject* parent)
    : QObject(parent), m_model(model), m_accounts(accounts) {
    connect(&m_accounts, &CalDavAccounts::conflictFound, this, &SyncConflictController::conflictFound);
}

SyncConflictController::~SyncConflictController() {
    delete m_question;
}

void SyncConflictController::conflictFound(const SyncConflict& conflict) {
    if (m_waiting.contains(conflict))
        return;
    m_waiting.append(conflict);
    if (!m_question)
        askNext();
}

QString SyncConflictController::eventTitle(const SyncConflict& conflict) const {
    // The model holds only the events of the dates loaded; outside them the uid still tells it apart.
    const EventList events = m_model.eventsWithUid(conflict.eventUid);
    return events.isEmpty() || events.constFirst()->title.isEmpty() ? conflict.eventUid
                                                                    : events.constFirst()->title;
}

void SyncConflictController::askNext() {
    if (m_waiting.isEmpty())
        return;
    const SyncConflict conflict = m_waiting.constFirst();
    const auto calendar = m_model.calendarWithUid(conflict.calendarUid);
    m_question =
        new QMessageBox(QMessageBox::Warning, tr("Changed on Both Sides"),
                        tr("“%1” in the calendar “%2” was changed on this computer and on the server "
                           "since the last sync.")
                            .arg(eventTitle(conflict), calendar ? calendar->title : conflict.calendarUid),
                        QMessageBox::NoButton, m_window);
    m_question->setObjectName(QStringLiteral("syncConflict"));
    m_question->setTextFormat(Qt::PlainText); // the title comes from a file
    m_question->setInformativeText(tr("Keep your version, which then goes to the server, or take the "
                                      "server's. Decided later, both stay as they are until the next sync "
                                      "asks again."));
    m_question->setWindowModality(Qt::WindowModal);
    m_keepMine = m_question->addButton(tr("Keep Mine"), QMessageBox::AcceptRole);
    m_takeTheirs = m_question->addButton(tr("Take Theirs"), QMessageBox::AcceptRole);
    QPushButton* later = m_question->addButton(tr("Decide Later"), QMessageBox::RejectRole);
    // Return picks no side.
    m_question->setDefaultButton(later);
    m_question->setEscapeButton(later);
    connect(m_question, &QMessageBox::finished, this, [this, conflict, box = m_question.data()] {
        box->deleteLater();
        m_waiting.removeAll(conflict);
        const QAbstractButton* clicked = box->clickedButton();
        if (clicked == m_keepMine || clicked == m_takeTheirs) {
            const bool mine = clicked == m_keepMine;
            VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
                   QStringLiteral("%1 for %2")
                       .arg(mine ? QStringLiteral("keep mine") : QStringLiteral("take theirs"),
                            conflict.eventUid));
            m_accounts.resolveConflict(conflict, mine ? CalDavAccounts::ConflictChoice::KeepMine
                                                      : CalDavAccounts::ConflictChoice::TakeTheirs);
        }
        m_question.clear();
        askNext();
    });
    m_question->open();
}
