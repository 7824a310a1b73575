#pragma once

#include "CalendarDate.h"
#include "DateFormatter.h"

#include <QString>

#include <memory>
#include <optional>

// Shows a date as "Mon Jan 5 9:05 PM" (in the formatter's clock mode), for list columns bound to dates.
class SmartDateValueTransformer {
public:
    SmartDateValueTransformer() : m_dateFormatter(std::make_shared<DateFormatter>()) {}

    const std::shared_ptr<DateFormatter>& dateFormatter() const { return m_dateFormatter; }
    void setDateFormatter(std::shared_ptr<DateFormatter> formatter) {
        m_dateFormatter = std::move(formatter);
    }

    std::optional<QString> transformedValue(const std::optional<CalendarDate>& date) const {
        if (!date)
            return std::nullopt;
        return m_dateFormatter->dateDescriptionWithDate(*date);
    }

private:
    std::shared_ptr<DateFormatter> m_dateFormatter;
};
