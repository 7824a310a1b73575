#pragma once

#include "EntryLineApplier.h"
#include "ParseOptions.h"
#include "dates/EventDescription.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The JSON line `verdalune-cli parse` answers for one entry line: the event the line makes of the base
// event the options give, or an error object.
class EntryLineAnswer {
public:
    explicit EntryLineAnswer(const ParseOptions& options);

    struct Answer {
        QByteArray json; // with its line break
        bool understood;
    };
    Answer answer(const QString& line);

private:
    EntryLineApplier m_applier;
    EventDescription m_description;
    std::shared_ptr<CalEvent> m_base;
    CalendarDate m_now;
};
