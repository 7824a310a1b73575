#include "TextViewWithCompletion.h"

#include "TextViewCompletionDelegate.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>

TextViewWithCompletion::TextViewWithCompletion(QWidget* parent)
    : QPlainTextEdit(parent), m_completer(new QCompleter(this)), m_model(new QStringListModel(this)) {
    m_completer->setModel(m_model);
    m_completer->setWidget(this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    // Tab moves the focus on, as in any other field of a form.
    setTabChangesFocus(true);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &TextViewWithCompletion::insertCompletion);
    // The pop-up closing, by a choice or by Escape, ends the completion.
    m_completer->popup()->installEventFilter(this);
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        if (!m_delegate)
            return;
        m_delegate->textDidChange(*this, position, added);
        // An open pop-up follows the typing, and goes once nothing fits any more.
        if (m_completer->popup()->isVisible()) {
            const QStringList completions =
                m_delegate->completionsFor(toPlainText().left(position + std::max(added, 0)));
            if (completions.isEmpty())
                m_completer->popup()->hide();
            else {
                m_model->setStringList(completions);
                m_completer->popup()->setCurrentIndex(m_model->index(0, 0));
            }
        }
    });
}

void TextViewWithCompletion::setCompletionDelegate(TextViewCompletionDelegate* delegate) {
    m_delegate = delegate;
}

void TextViewWithCompletion::complete() {
    if (!m_delegate)
        return;
    const QString typed = toPlainText().left(textCursor().position());
    const QStringList completions = m_delegate->completionsFor(typed);
    if (completions.isEmpty())
        return;
    setCompletionInProgress(true);
    m_model->setStringList(completions);
    QRect place = cursorRect();
    place.setWidth(m_completer->popup()->sizeHintForColumn(0) +
                   m_completer->popup()->verticalScrollBar()->sizeHint().width());
    m_completer->complete(place);
    if (!m_completer->popup()->isVisible())
        setCompletionInProgress(false);
}

void TextViewWithCompletion::insertCompletion(const QString& completion) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.position());
    cursor.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
    // Replacing the typed text is a change the delegate must not take for new typing.
    const bool wasInProgress = m_isCompletionInProgress;
    m_isCompletionInProgress = true;
    cursor.insertText(completion);
    m_isCompletionInProgress = wasInProgress;
    setTextCursor(cursor);
    setCompletionInProgress(false);
}

void TextViewWithCompletion::setCompletionInProgress(bool inProgress) {
    if (inProgress == m_isCompletionInProgress)
        return;
    m_isCompletionInProgress = inProgress;
    emit isCompletionInProgressChanged(inProgress);
}

bool TextViewWithCompletion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_completer->popup() && event->type() == QEvent::Hide)
        setCompletionInProgress(false);
    return QPlainTextEdit::eventFilter(watched, event);
}

void TextViewWithCompletion::keyPressEvent(QKeyEvent* event) {
    if (m_completer->popup()->isVisible()) {
        // The pop-up's keys: Return and Tab choose, Escape dismisses.
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Escape:
        case Qt::Key_Backtab:
            event->ignore();
            return;
        default:
            break;
        }
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_delegate &&
        m_delegate->doCommand(*this, "insertNewline:"))
        return;
    QPlainTextEdit::keyPressEvent(event);
}
