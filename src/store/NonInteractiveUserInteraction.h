#pragma once

#include "UserInteraction.h"

#include <QList>

// For the command line and for tests: alerts go to the log at error level, the span question gets a
// fixed answer, the conflict questions too (Cancel by default), and everything shown or asked is kept in
// order.
class NonInteractiveUserInteraction : public UserInteraction {
public:
    struct Shown {
        enum Kind { StoreFailure, Warning, Notice, SpanQuestion, ConflictQuestion, OverwriteQuestion };
        Kind kind;
        // the error's description, the warning's message, the notice's or question's title, the overwrite
        // question's message
        QString title;
        // the recovery suggestion, the informative text, the notice's text or question, the overwrite button
        QString text;
    };

    // The span question is answered with `spanAnswer`; none is Cancel.
    explicit NonInteractiveUserInteraction(std::optional<CalSpan> spanAnswer = std::nullopt)
        : m_spanAnswer(spanAnswer) {}

    void setSpanAnswer(std::optional<CalSpan> answer) { m_spanAnswer = answer; }
    void setConflictAnswer(EditConflictAnswer answer) { m_conflictAnswer = answer; }
    void setOverwriteAnswer(bool overwrite) { m_overwriteAnswer = overwrite; }
    const QList<Shown>& shown() const { return m_shown; }

    void showStoreError(const StoreError& error) override;
    void showWarning(const QString& message, const QString& informativeText) override;
    void showNotice(const QString& title, const QString& text) override;
    std::optional<CalSpan> askForSpan(const QString& title, const QString& message) override;
    EditConflictAnswer askKeepMineOrTheirs(const QString& title, const QString& message) override;
    bool askToOverwrite(const QString& message, const QString& overwriteButton) override;

private:
    void show(Shown::Kind kind, const QString& title, const QString& text);

    std::optional<CalSpan> m_spanAnswer;
    EditConflictAnswer m_conflictAnswer = EditConflictAnswer::Cancel;
    bool m_overwriteAnswer = false;
    QList<Shown> m_shown;
};
