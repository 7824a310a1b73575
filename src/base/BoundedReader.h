#pragma once

#include <QByteArray>
#include <QIODevice>

// Reads a file or a stream to its end, but no further than a limit: a device or an endless pipe where a
// file was expected must not fill the memory.
class BoundedReader {
public:
    enum class Outcome { Read, TooLarge, Failed };
    struct Contents {
        Outcome outcome = Outcome::Failed;
        QByteArray bytes; // when Read
    };

    // `device` is open for reading and blocks until data comes or the stream ends.
    static Contents read(QIODevice& device, qint64 maxSize);
};
