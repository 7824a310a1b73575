#include "CommandFieldHighlighter.h"

#include "base/TextColors.h"

#include <QSignalBlocker>
#include <QTextDocument>

CommandFieldHighlighter::CommandFieldHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void CommandFieldHighlighter::setRecognisedLength(int length) {
    if (length == m_recognisedLength)
        return;
    m_recognisedLength = length;
    // New colours are not new text: the field must not take them for typing.
    const QSignalBlocker quiet(document());
    rehighlight();
}

void CommandFieldHighlighter::highlightBlock(const QString& text) {
    const int start = currentBlock().position();
    const int length = std::min<int>(int(text.size()), m_recognisedLength - start);
    if (length <= 0)
        return;
    QTextCharFormat format;
    format.setForeground(TextColors::current().recognised);
    setFormat(0, length, format);
}
