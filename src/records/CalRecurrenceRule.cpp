#include "CalRecurrenceRule.h"

std::shared_ptr<CalRecurrenceRule> CalRecurrenceRule::rule(Type type, int interval) {
    auto result = std::make_shared<CalRecurrenceRule>();
    result->recurrenceType = type;
    result->recurrenceInterval = interval;
    return result;
}

std::shared_ptr<CalRecurrenceRule> CalRecurrenceRule::copy() const {
    return std::make_shared<CalRecurrenceRule>(*this);
}
