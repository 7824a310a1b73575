#include "TimeOfDayReader.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

class Cursor {
public:
    explicit Cursor(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    void skipBlanks() {
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
    }
    // Consumes `word` when it stands here, ignoring letter case.
    bool take(QStringView word) {
        if (m_text.mid(m_pos).startsWith(word, Qt::CaseInsensitive)) {
            m_pos += word.size();
            return true;
        }
        return false;
    }
    bool takeBlanks() {
        const qsizetype before = m_pos;
        skipBlanks();
        return m_pos > before;
    }
    // One or two decimal digits; -1 when there are none.
    int number(int maxDigits) {
        int value = -1;
        for (int i = 0; i < maxDigits && !atEnd() && m_text[m_pos].isDigit() && m_text[m_pos].unicode() < 128;
             ++i, ++m_pos)
            value = (value < 0 ? 0 : value * 10) + (m_text[m_pos].unicode() - u'0');
        return value;
    }
    bool exactlyTwoDigits(int& value) {
        const qsizetype before = m_pos;
        value = number(2);
        return m_pos - before == 2;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

enum class Meridiem { None, Am, Pm };

Meridiem takeMeridiem(Cursor& cursor) {
    if (cursor.take(u"a.m.") || cursor.take(u"am"))
        return Meridiem::Am;
    if (cursor.take(u"p.m.") || cursor.take(u"pm"))
        return Meridiem::Pm;
    return Meridiem::None;
}

std::optional<int> hourOnClock(int hour, Meridiem meridiem) {
    // With am or pm the hour is at most 19, as the entry lexer admits; 20 pm would be a typo, not 20:00.
    if (hour > 23 || (meridiem != Meridiem::None && hour > 19))
        return std::nullopt;
    if (meridiem == Meridiem::None || hour > 12)
        return hour;
    if (meridiem == Meridiem::Am)
        return hour == 12 ? 0 : hour;
    return hour == 12 || hour == 0 ? 12 : hour + 12;
}

} // namespace

std::optional<TimeOfDay> TimeOfDayReader::read(QStringView text) {
    Cursor cursor(text);
    cursor.skipBlanks();
    {
        Cursor afterAt = cursor;
        if (afterAt.take(u"at") && afterAt.takeBlanks())
            cursor = afterAt;
    }
    TimeOfDay result;
    if (cursor.take(u"noon")) {
        result.hour = 12;
    } else if (cursor.take(u"midnight")) {
        result.hour = 0;
    } else {
        const int hour = cursor.number(2);
        if (hour < 0)
            return std::nullopt;
        bool hasMinutes = false;
        if (cursor.take(u":")) {
            if (!cursor.exactlyTwoDigits(result.minute) || result.minute > 59)
                return std::nullopt;
            hasMinutes = true;
            if (cursor.take(u":") && (!cursor.exactlyTwoDigits(result.second) || result.second > 59))
                return std::nullopt;
        }
        cursor.skipBlanks();
        const Meridiem meridiem = takeMeridiem(cursor);
        if (!hasMinutes && meridiem == Meridiem::None)
            return std::nullopt;
        const std::optional<int> onClock = hourOnClock(hour, meridiem);
        if (!onClock)
            return std::nullopt;
        result.hour = *onClock;
    }
    cursor.skipBlanks();
    if (!cursor.atEnd())
        return std::nullopt;
    return result;
}
