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
    if (added <= 0)
        return;
    const QString typed = view.toPlainText().left(position + added).toLower();
    const bool offered =
        std::any_of(m_completions.begin(), m_completions.end(),
                    [&](const QString& completion) { return completion.toLower().startsWith(typed); });
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
