#pragma once

#include <QPlainTextEdit>
#include <QPointer>

class QCompleter;
class QStringListModel;
class TextViewCompletionDelegate;

// A text view that offers completions of what was typed from its start in a pop-up, asking its delegate
// which, and hands the Return key to the delegate as the "insertNewline:" command.
class TextViewWithCompletion : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(bool isCompletionInProgress READ isCompletionInProgress NOTIFY isCompletionInProgressChanged)
public:
    explicit TextViewWithCompletion(QWidget* parent = nullptr);

    void setCompletionDelegate(TextViewCompletionDelegate* delegate);
    bool isCompletionInProgress() const { return m_isCompletionInProgress; }
    // Shows the delegate's completions of the text up to the cursor; nothing when there are none.
    void complete();
    QCompleter* completer() const { return m_completer; }

signals:
    void isCompletionInProgressChanged(bool inProgress);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void insertCompletion(const QString& completion);
    void setCompletionInProgress(bool inProgress);

    QPointer<TextViewCompletionDelegate> m_delegate;
    QCompleter* m_completer;
    QStringListModel* m_model;
    bool m_isCompletionInProgress = false;
};
