#include "BoundedReader.h"

BoundedReader::Contents BoundedReader::read(QIODevice& device, qint64 maxSize) {
    QByteArray bytes;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = device.read(buffer, sizeof buffer);
        if (got < 0)
            return {Outcome::Failed, {}};
        if (got == 0)
            return {Outcome::Read, bytes};
        bytes.append(buffer, got);
        if (bytes.size() > maxSize)
            return {Outcome::TooLarge, {}};
    }
}
