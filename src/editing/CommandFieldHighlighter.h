#pragma once

#include <QSyntaxHighlighter>

// Colours the part of the command field's line that the entry language took as dates, times and a
// calendar, so that the user sees what was understood; the title after it keeps the text colour.
class CommandFieldHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit CommandFieldHighlighter(QTextDocument* document);

    // The first `length` characters were understood as more than a title; 0 colours nothing.
    void setRecognisedLength(int length);
    int recognisedLength() const { return m_recognisedLength; }

protected:
    void highlightBlock(const QString& text) override;

private:
    int m_recognisedLength = 0;
};
