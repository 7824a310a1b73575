#include "PatternDateFormat.h"

#include "DateEnvironment.h"
#include "IcuText.h"
#include "base/InternalInconsistency.h"

#include <unicode/smpdtfmt.h>

struct PatternDateFormat::Impl {
    QString pattern;
    QString localeId;
    std::unique_ptr<icu::SimpleDateFormat> format; // null until first use or after a change
    std::uint64_t generation = 0;
};

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
    if (!impl.format || impl.generation != DateEnvironment::generation()) {
        // A new SimpleDateFormat takes the default time zone of this moment.
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_unique<icu::SimpleDateFormat>(toUnicodeString(impl.pattern),
                                                              gregorianLocale(impl.localeId), status);
        VL_ASSERT(U_SUCCESS(status), QStringLiteral("date pattern %1 rejected").arg(impl.pattern));
        impl.format = std::move(format);
        impl.generation = DateEnvironment::generation();
    }
    icu::UnicodeString text;
    impl.format->format(date.msecsSinceEpoch(), text);
    return toQString(text);
}
