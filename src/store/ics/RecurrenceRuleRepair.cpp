#include "RecurrenceRuleRepair.h"

#include <libical/ical.h>

#include <cstdlib>
#include <optional>

namespace {

bool parses(const QByteArray& value) {
    const icalrecurrencetype rule = icalrecurrencetype_from_string(value.constData());
    std::free(rule.rscale);
    return rule.freq != ICAL_NO_RECURRENCE;
}

QByteArray nameOf(const QByteArray& part) {
    return part.left(part.indexOf('=')).trimmed().toUpper();
}

// The value without the parts that spoil it; nothing when it needs no change or none would help.
std::optional<QByteArray> mended(const QByteArray& value, QStringList& warnings) {
    if (parses(value))
        return std::nullopt;
    const QList<QByteArray> parts = value.split(';');
    QByteArray frequency;
    bool hasUntil = false;
    for (const QByteArray& part : parts) {
        const QByteArray name = nameOf(part);
        if (name == "FREQ")
            frequency = part;
        hasUntil = hasUntil || name == "UNTIL";
    }
    if (frequency.isEmpty())
        return std::nullopt;
    QList<QByteArray> kept;
    QStringList said;
    for (const QByteArray& part : parts) {
        if (part.trimmed().isEmpty())
            continue;
        if (part != frequency && !parses(frequency + ';' + part))
            said.append(
                QStringLiteral("an RRULE part that is not valid ignored: %1").arg(QString::fromUtf8(part)));
        else if (hasUntil && nameOf(part) == "COUNT")
            said.append(QStringLiteral("an RRULE with both COUNT and UNTIL: its COUNT ignored"));
        else
            kept.append(part);
    }
    const QByteArray result = kept.join(';');
    if (!parses(result))
        return std::nullopt;
    warnings.append(said);
    return result;
}

bool isRuleLine(QByteArrayView text) {
    return text.size() > 5 && text.first(5).compare("RRULE", Qt::CaseInsensitive) == 0 &&
           (text[5] == ':' || text[5] == ';');
}

} // namespace

QByteArray RecurrenceRuleRepair::repaired(const QByteArray& text, QStringList& warnings) {
    QByteArray result;
    qsizetype copied = 0;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype next = text.indexOf('\n', at);
        next = next < 0 ? text.size() : next + 1;
        if (!isRuleLine(QByteArrayView(text).sliced(at, std::min<qsizetype>(6, text.size() - at)))) {
            at = next;
            continue;
        }
        // The whole property: folded lines go on with a space or a tab.
        while (next < text.size() && (text[next] == ' ' || text[next] == '\t')) {
            const qsizetype end = text.indexOf('\n', next);
            next = end < 0 ? text.size() : end + 1;
        }
        QByteArray line = text.sliced(at, next - at);
        line.replace("\r\n ", "").replace("\r\n\t", "").replace("\n ", "").replace("\n\t", "");
        line = line.trimmed();
        const qsizetype colon = line.indexOf(':');
        if (const auto value = colon < 0 ? std::nullopt : mended(line.sliced(colon + 1), warnings)) {
            result += QByteArrayView(text).sliced(copied, at - copied);
            result += line.first(colon + 1) + *value + "\r\n";
            copied = next;
        }
        at = next;
    }
    if (copied == 0)
        return text;
    result += QByteArrayView(text).sliced(copied);
    return result;
}
