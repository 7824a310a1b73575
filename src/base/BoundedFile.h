#pragma once

#include <QByteArray>
#include <QString>

// A whole regular file of bounded size, read without waiting: a pipe, a device or a folder at the path
// is refused rather than waited on or read for ever, and only what the file holds is reserved.
class BoundedFile {
public:
    enum class Links { Follow, Refuse };
    enum class Outcome {
        Read,
        Missing, // nothing there
        Refused, // something there that is not a regular file of at most the bound; `why` says what
    };
    struct Contents {
        Outcome outcome = Outcome::Missing;
        QByteArray bytes; // without spare capacity
        QString why;
        bool tooLarge = false; // refused for its size
    };

    // An open file, for reading parts of it: `descriptor` is -1 when it was not opened, and `refusal` says
    // why (Missing or Refused). The caller closes the descriptor.
    struct Opened {
        int descriptor = -1;
        qint64 size = 0;
        Contents refusal;
    };

    static Contents read(const QString& path, qint64 maxSize, Links links);
    // What `read` would read, opened but not read.
    static Opened open(const QString& path, qint64 maxSize, Links links);
    // An open stream (standard input, a pipe) to its end, waiting for it, but never more than the bound.
    static Contents readStream(int descriptor, qint64 maxSize);
};
