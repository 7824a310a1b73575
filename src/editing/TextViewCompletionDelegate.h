#pragma once

#include <QObject>
#include <QStringList>

class TextViewWithCompletion;

// Decides what a text view with completion offers: the entries of `completions` that begin, ignoring
// letter case, with what was typed from the start of the field. It also hears the view's commands.
class TextViewCompletionDelegate : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QStringList completions() const { return m_completions; }
    void setCompletions(const QStringList& completions) { m_completions = completions; }

    // The entries, in list order, that begin with `partialWord` (case-insensitive).
    QStringList completionsFor(const QString& partialWord) const;
    // After `added` characters were inserted at `position`: when some entry begins with the text from the
    // start up to the end of the insertion, completion runs on the next pass of the event loop.
    // Deletions never start it.
    void textDidChange(TextViewWithCompletion& view, int position, int added);
    // A command of the view's keys (Return is "insertNewline:"); true when handled here.
    virtual bool doCommand(TextViewWithCompletion& view, const char* command);

private:
    QStringList m_completions;
};
