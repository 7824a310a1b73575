#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <cstring>
#include <type_traits>

// Reads what BinaryWriter wrote. Reading past the end, or a length that does not fit, makes the reader
// fail for good: every later value reads as empty, and `ok` tells.
class BinaryReader {
public:
    explicit BinaryReader(QByteArrayView bytes) : m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_end; }

    template <typename T>
    requires(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) BinaryReader& operator>>(T& value) {
        value = T();
        if (const char* bytes = take(sizeof value))
            std::memcpy(&value, bytes, sizeof value);
        return *this;
    }
    BinaryReader& operator>>(bool& value) {
        quint8 byte = 0;
        *this >> byte;
        value = byte != 0;
        return *this;
    }
    BinaryReader& operator>>(QByteArray& bytes) {
        const qint32 size = length(1);
        const char* data = take(size);
        bytes = data ? QByteArray(data, size) : QByteArray();
        return *this;
    }
    BinaryReader& operator>>(QString& text) {
        const qint32 size = length(sizeof(char16_t));
        const char* data = take(qsizetype(size) * qsizetype(sizeof(char16_t)));
        text = data ? QString(size, Qt::Uninitialized) : QString();
        if (data && size)
            std::memcpy(text.data(), data, size * sizeof(char16_t));
        return *this;
    }
    BinaryReader& operator>>(QUrl& url) {
        QByteArray encoded;
        *this >> encoded;
        url = QUrl::fromEncoded(encoded);
        return *this;
    }
    BinaryReader& operator>>(QDateTime& moment) {
        bool valid = false;
        qint64 msecs = 0;
        *this >> valid >> msecs;
        moment = valid ? QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC) : QDateTime();
        return *this;
    }
    // What a QByteArray was written as, without copying it.
    QByteArrayView readView() {
        const qint32 size = length(1);
        const char* data = take(size);
        return data ? QByteArrayView(data, size) : QByteArrayView();
    }
    template <typename T> BinaryReader& operator>>(QList<T>& values) {
        const qint32 size = length(1);
        values.clear();
        values.reserve(size);
        for (qint32 i = 0; i < size && m_ok; ++i)
            *this >> values.emplace_back();
        return *this;
    }

private:
    // A count of items of at least `itemSize` bytes each that the rest of the bytes can hold.
    qint32 length(qsizetype itemSize) {
        qint32 size = 0;
        *this >> size;
        if (size < 0 || qsizetype(size) * itemSize > m_end - m_at) {
            m_ok = false;
            return 0;
        }
        return size;
    }
    const char* take(qsizetype size) {
        if (!m_ok || size > m_end - m_at) {
            m_ok = false;
            return nullptr;
        }
        const char* bytes = m_at;
        m_at += size;
        return bytes;
    }

    const char* m_at;
    const char* m_end;
    bool m_ok = true;
};
