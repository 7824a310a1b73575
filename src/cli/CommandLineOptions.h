#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The options and the remaining arguments of one command: "--name value", "--name=value" and flags.
class CommandLineOptions {
public:
    // Nothing, with a message in `error`, for an unknown option or a missing value.
    static std::optional<CommandLineOptions> read(const QStringList& arguments,
                                                  const QStringList& valueOptions, const QStringList& flags,
                                                  QString& error);

    bool has(const QString& name) const { return m_values.contains(name); }
    QString value(const QString& name) const { return m_values.value(name); }
    const QStringList& positional() const { return m_positional; }
    // The option's value as one of `choices` (integers); nothing, with a message in `error`, otherwise.
    std::optional<int> readChoice(const QString& name, const QStringList& choices, QString& error) const;
    // The option's value as a number in [minimum, maximum]; nothing, with a message in `error`, otherwise.
    std::optional<double> readNumber(const QString& name, double minimum, double maximum,
                                     QString& error) const;

private:
    QMap<QString, QString> m_values; // flags map to an empty value
    QStringList m_positional;
};
