#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One unfolded iCalendar content line, NAME;PARAM=value,value:value. The name keeps its case and is
// compared without it; parameters keep their order and their quoting as read; the value is the raw text
// after the colon (TEXT values stay escaped: see escapeText).
class ContentLine {
public:
    ContentLine(QString name, QString value);
    // Nothing when the text is not a content line (no name, no colon, an unclosed quote).
    static std::optional<ContentLine> parse(QStringView unfolded);

    QString name() const { return m_name; }
    bool hasName(QStringView name) const;
    QString value() const { return m_value; }
    void setValue(QString value);

    bool hasParameter(QStringView name) const;
    // The values without their quotes, caret escapes decoded; empty when the parameter is absent.
    QStringList parameter(QStringView name) const;
    // Replaces the parameter in its place or appends it, quoting values that need it.
    void setParameter(const QString& name, const QStringList& values);
    void removeParameter(QStringView name);

    QString text() const; // unfolded
    // As written into a file: UTF-8, folded before 75 octets without splitting a character, CRLF endings.
    QByteArray folded() const;

    static QString escapeText(QStringView text);
    static QString unescapeText(QStringView text);

private:
    struct Parameter {
        QString name;
        QStringList values; // as written, quotes included
    };
    qsizetype indexOfParameter(QStringView name) const;

    QString m_name;
    QList<Parameter> m_parameters;
    QString m_value;
};
