#include "CommandLineOptions.h"

std::optional<CommandLineOptions> CommandLineOptions::read(const QStringList& arguments,
                                                           const QStringList& valueOptions,
                                                           const QStringList& flags, QString& error) {
    CommandLineOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            options.m_positional += arguments.mid(i + 1);
            break;
        }
        if (!argument.startsWith(u"--")) {
            options.m_positional.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (flags.contains(name) && equals < 0) {
            options.m_values[name] = QString();
        } else if (!valueOptions.contains(name)) {
            error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        } else if (equals >= 0) {
            options.m_values[name] = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            options.m_values[name] = arguments[++i];
        } else {
            error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        }
    }
    return options;
}

std::optional<int> CommandLineOptions::readChoice(const QString& name, const QStringList& choices,
                                                  QString& error) const {
    const QString text = value(name);
    if (!choices.contains(text)) {
        error =
            QStringLiteral("%1 must be %2, not \"%3\"").arg(name, choices.join(QStringLiteral(" or ")), text);
        return std::nullopt;
    }
    return text.toInt();
}

std::optional<double> CommandLineOptions::readNumber(const QString& name, double minimum, double maximum,
                                                     QString& error) const {
    bool ok = false;
    const double number = value(name).toDouble(&ok);
    if (!ok || !(number >= minimum && number <= maximum)) {
        error =
            QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                .arg(name, QString::number(minimum, 'g', 12), QString::number(maximum, 'g', 12), value(name));
        return std::nullopt;
    }
    return number;
}
