#pragma once

#include "dates/CalendarDate.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"
#include "records/CalEvent.h"

#include <QList>

#include <memory>
#include <optional>

// Applies an entry line to a copy of a base event, as the event editor's command field does.
class EntryLineApplier {
public:
    // `calendars` are those a typed name may select; their titles are the names the lexer knows.
    EntryLineApplier(const QList<std::shared_ptr<CalCalendar>>& calendars, int dayMonthOrder);

    struct Result {
        std::shared_ptr<CalEvent> event;
        int shape; // the root's ParseTreeNode type
    };
    // Nothing when the line is not understood.
    std::optional<Result> apply(const CalEvent& base, const QString& line, const CalendarDate& now);

private:
    ParsingController m_controller;
    CalEventBuilder m_builder;
};
