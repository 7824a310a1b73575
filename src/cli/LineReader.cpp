#include "LineReader.h"

#include <cerrno>
#include <unistd.h>

bool LineReader::next(QByteArray& line) {
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_start);
        if (end >= 0 || (m_ended && m_start < m_buffer.size())) {
            const qsizetype stop = end >= 0 ? end : m_buffer.size();
            line = m_buffer.mid(m_start, stop - m_start);
            m_start = end >= 0 ? end + 1 : stop;
            if (line.endsWith('\r'))
                line.chop(1);
            return true;
        }
        if (m_ended)
            return false;
        fill();
    }
}

void LineReader::fill() {
    m_buffer.remove(0, m_start);
    m_start = 0;
    // Whatever is answered so far goes out before the read can block.
    std::fflush(m_output);
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + 65536);
    ssize_t count;
    do
        count = ::read(m_descriptor, m_buffer.data() + kept, 65536);
    while (count < 0 && errno == EINTR);
    m_buffer.resize(kept + (count > 0 ? count : 0));
    if (count <= 0)
        m_ended = true;
}
