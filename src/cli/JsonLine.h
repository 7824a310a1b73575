#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

// One JSON object on one line, with its members in the order they are added, written as UTF-8.
class JsonLine {
public:
    JsonLine();
    JsonLine& add(const char* key, const QString& value);
    JsonLine& add(const char* key, const std::optional<QString>& value); // null when absent
    JsonLine& add(const char* key, bool value);
    QByteArray text() const; // with the closing brace and a newline

private:
    void addKey(const char* key);
    void addQuoted(const QString& text);
    std::string m_text;
};
