#pragma once

#include <QByteArray>

#include <cstdio>

// Reads lines from a file descriptor through its own buffer, so that it knows when the next line would
// make it wait: before that, the output is flushed. A pipe of many lines is then written in large blocks,
// and a program that writes one line and waits for its answer still gets it.
class LineReader {
public:
    LineReader(int descriptor, std::FILE* output) : m_descriptor(descriptor), m_output(output) {}

    // The next line without its line break (nor a carriage return before it); false at the end of input.
    bool next(QByteArray& line);

private:
    void fill();

    int m_descriptor;
    std::FILE* m_output;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    bool m_ended = false;
};
