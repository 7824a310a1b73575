#include "NonInteractiveUserInteraction.h"

#include "base/Logger.h"

void NonInteractiveUserInteraction::showStoreError(const StoreError& error) {
    show(Shown::StoreFailure, error.description, error.recoverySuggestion);
}

void NonInteractiveUserInteraction::showWarning(const QString& message, const QString& informativeText) {
    show(Shown::Warning, message, informativeText);
}

void NonInteractiveUserInteraction::showNotice(const QString& title, const QString& text) {
    show(Shown::Notice, title, text);
}

std::optional<CalSpan> NonInteractiveUserInteraction::askForSpan(const QString& title,
                                                                 const QString& message) {
    m_shown.append({Shown::SpanQuestion, title, message});
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1: answered %2")
               .arg(title, m_spanAnswer ? QString::number(int(*m_spanAnswer)) : QStringLiteral("Cancel")));
    return m_spanAnswer;
}

UserInteraction::EditConflictAnswer
NonInteractiveUserInteraction::askKeepMineOrTheirs(const QString& title, const QString& message) {
    m_shown.append({Shown::ConflictQuestion, title, message});
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1: answered %2").arg(title).arg(int(m_conflictAnswer)));
    return m_conflictAnswer;
}

bool NonInteractiveUserInteraction::askToOverwrite(const QString& message, const QString& overwriteButton) {
    m_shown.append({Shown::OverwriteQuestion, message, overwriteButton});
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL,
           QStringLiteral("%1: answered %2")
               .arg(message, m_overwriteAnswer ? overwriteButton : QStringLiteral("Cancel")));
    return m_overwriteAnswer;
}

void NonInteractiveUserInteraction::show(Shown::Kind kind, const QString& title, const QString& text) {
    m_shown.append({kind, title, text});
    VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("%1\n%2").arg(title, text));
}
