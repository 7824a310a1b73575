#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstring>
#include <type_traits>

// Appends values in the machine's own byte order, for caches read back by the same build on the same
// machine (BinaryReader): far cheaper than QDataStream, which goes through a device for every value.
class BinaryWriter {
public:
    template <typename T>
    requires std::is_arithmetic_v<T> BinaryWriter& operator<<(T value) {
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    BinaryWriter& operator<<(const QByteArray& bytes) {
        *this << qint32(bytes.size());
        m_bytes.append(bytes);
        return *this;
    }
    BinaryWriter& operator<<(const QString& text) {
        *this << qint32(text.size());
        m_bytes.append(reinterpret_cast<const char*>(text.utf16()),
                       text.size() * qsizetype(sizeof(char16_t)));
        return *this;
    }
    BinaryWriter& operator<<(const QUrl& url) { return *this << url.toEncoded(); }
    // As an instant: the reader gets it back in UTC.
    BinaryWriter& operator<<(const QDateTime& moment) {
        return *this << moment.isValid() << (moment.isValid() ? moment.toMSecsSinceEpoch() : qint64(0));
    }
    template <typename T> BinaryWriter& operator<<(const QList<T>& values) {
        *this << qint32(values.size());
        for (const T& value : values)
            *this << value;
        return *this;
    }

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
