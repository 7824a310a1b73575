#include "PatternDateFormat.h"

#include "DateEnvironment.h"
#include "IcuText.h"
#include "base/InternalInconsistency.h"

#include <QVarLengthArray>

#include <unicode/dtfmtsym.h>
#include <unicode/numsys.h>
#include <unicode/smpdtfmt.h>

#include <cstring>
#include <vector>

namespace {

// One field letter repeated, or (letter 0) literal text.
struct Piece {
    char16_t letter;
    int count;
    QString literal;
};

// The pieces of a pattern made only of the fields that event lines and times use (short weekday and
// month names, day of month, hours, minutes, AM/PM) and unquoted literals; nothing for any other pattern.
bool isFieldLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

std::optional<std::vector<Piece>> plainPieces(const QString& pattern) {
    std::vector<Piece> pieces;
    for (qsizetype i = 0; i < pattern.size();) {
        const char16_t c = pattern[i].unicode();
        if (c == u'\'')
            return std::nullopt;
        qsizetype j = i + 1;
        if (!isFieldLetter(c)) {
            while (j < pattern.size() && !isFieldLetter(pattern[j].unicode()) && pattern[j] != u'\'')
                ++j;
            pieces.push_back({0, 0, pattern.mid(i, j - i)});
            i = j;
            continue;
        }
        while (j < pattern.size() && pattern[j] == c)
            ++j;
        const int count = int(j - i);
        const bool known = (c == u'E' && count <= 3) || (c == u'M' && count == 3) ||
                           (c == u'a' && count <= 3) ||
                           ((c == u'd' || c == u'h' || c == u'H' || c == u'm') && count <= 2);
        if (!known)
            return std::nullopt;
        pieces.push_back({c, count, {}});
        i = j;
    }
    return pieces;
}

// A written date is gathered here and copied into its string once: appending to the string piece by piece
// costs more than the rest of the writing.
using DateText = QVarLengthArray<QChar, 48>;

void appendNumber(DateText& out, int value, int minimumDigits) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < minimumDigits; ++i)
        out.append(QChar(u'0'));
    while (n > 0)
        out.append(QLatin1Char(digits[--n]));
}

void appendText(DateText& out, const QString& text) {
    out.append(text.constData(), text.size());
}

QStringList names(const icu::UnicodeString* symbols, int32_t count, int32_t first) {
    QStringList list;
    for (int32_t i = first; i < count; ++i)
        list.append(toQString(symbols[i]));
    return list;
}

} // namespace

struct PatternDateFormat::Impl {
    QString pattern;
    QString localeId;
    std::unique_ptr<icu::SimpleDateFormat> format; // null until first use or after a change
    std::uint64_t generation = 0;
    // Set when the pattern is plain and the locale writes Latin digits: then the pattern is written here
    // with the locale's names, as ICU writes it, at a fraction of ICU's cost.
    std::optional<std::vector<Piece>> pieces;
    QStringList shortWeekdays; // Sunday first
    QStringList shortMonths;
    QStringList amPm;

    void prepare();
    QString write(const CalendarDate& date) const;
};

void PatternDateFormat::Impl::prepare() {
    // A new SimpleDateFormat takes the default time zone of this moment.
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale = gregorianLocale(localeId);
    auto made = std::make_unique<icu::SimpleDateFormat>(toUnicodeString(pattern), locale, status);
    VL_ASSERT(U_SUCCESS(status), QStringLiteral("date pattern %1 rejected").arg(pattern));
    format = std::move(made);
    generation = DateEnvironment::generation();

    pieces = plainPieces(pattern);
    std::unique_ptr<icu::NumberingSystem> numbers(icu::NumberingSystem::createInstance(locale, status));
    if (!pieces || U_FAILURE(status) || !numbers || std::strcmp(numbers->getName(), "latn") != 0) {
        pieces.reset();
        return;
    }
    const icu::DateFormatSymbols& symbols = *format->getDateFormatSymbols();
    int32_t count = 0;
    const icu::UnicodeString* weekdays =
        symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::ABBREVIATED);
    shortWeekdays = names(weekdays, count, 1); // index 0 is empty
    const icu::UnicodeString* months =
        symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::ABBREVIATED);
    shortMonths = names(months, count, 0);
    const icu::UnicodeString* meridiems = symbols.getAmPmStrings(count);
    amPm = names(meridiems, count, 0);
    if (shortWeekdays.size() != 7 || shortMonths.size() < 12 || amPm.size() != 2)
        pieces.reset();
}

QString PatternDateFormat::Impl::write(const CalendarDate& date) const {
    const CalendarDate::Fields fields = date.fields();
    DateText out;
    for (const Piece& piece : *pieces) {
        switch (piece.letter) {
        case 0:
            appendText(out, piece.literal);
            break;
        case u'E':
            appendText(out, shortWeekdays[fields.weekday]);
            break;
        case u'M':
            appendText(out, shortMonths[fields.month - 1]);
            break;
        case u'a':
            appendText(out, amPm[fields.hour < 12 ? 0 : 1]);
            break;
        case u'd':
            appendNumber(out, fields.day, piece.count);
            break;
        case u'h':
            appendNumber(out, fields.hour % 12 == 0 ? 12 : fields.hour % 12, piece.count);
            break;
        case u'H':
            appendNumber(out, fields.hour, piece.count);
            break;
        case u'm':
            appendNumber(out, fields.minute, piece.count);
            break;
        }
    }
    return QString(out.constData(), out.size());
}

PatternDateFormat::PatternDateFormat(const QString& pattern, const QString& localeId)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->pattern = pattern;
    m_impl->localeId = localeId;
}

PatternDateFormat::~PatternDateFormat() = default;

QString PatternDateFormat::pattern() const {
    return m_impl->pattern;
}

QString PatternDateFormat::localeId() const {
    return m_impl->localeId;
}

void PatternDateFormat::setLocale(const QString& localeId) {
    m_impl->localeId = localeId;
    m_impl->format.reset();
}

QString PatternDateFormat::format(const CalendarDate& date) const {
    Impl& impl = *m_impl;
    if (!impl.format || impl.generation != DateEnvironment::generation())
        impl.prepare();
    if (impl.pieces)
        return impl.write(date);
    icu::UnicodeString text;
    impl.format->format(date.msecsSinceEpoch(), text);
    return toQString(text);
}
