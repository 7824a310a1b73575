#include "indexChecksum.h"

#include <cstring>

quint64 indexChecksum(QByteArrayView bytes) {
    quint64 sum = 0x9e3779b97f4a7c15ULL ^ quint64(bytes.size());
    qsizetype at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        sum = (sum ^ word) * 0x100000001b3ULL;
        sum ^= sum >> 29;
    }
    for (; at < bytes.size(); ++at)
        sum = (sum ^ quint8(bytes[at])) * 0x100000001b3ULL;
    return sum;
}
