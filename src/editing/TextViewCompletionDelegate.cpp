#include "TextViewCompletionDelegate.h"

#include "TextViewWithCompletion.h"

#include <QPointer>
#include <QTimer>

QStringList TextViewCompletionDelegate::completionsFor(const QString& partialWord) const {
    const QString prefix = partialWord.toLower();
    QStringList found;
    for (const QString& completion : m_completions) {
        if (completion.toLower().startsWith(prefix))
            found.append(completion);
    }
    return found;
}

void TextViewCompletionDelegate::textDidChange(TextViewWithCompletion& view, int position, int added) {
    // Clearing the field reports its new empty block as one character added: nothing was typed.
    const QString typed = view.toPlainText().left(position + added);
    if (added <= 0 || typed.isEmpty())
        return;
    const bool offered = !completionsFor(typed).isEmpty();
    if (!offered || view.isCompletionInProgress())
        return;
    // After the change has been applied, as the field shows it.
    QTimer::singleShot(0, &view, [view = QPointer(&view)] {
        if (view)
            view->complete();
    });
}

bool TextViewCompletionDelegate::doCommand(TextViewWithCompletion&, const char*) {
    return false;
}
