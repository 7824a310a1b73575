#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli calendars [--json]`: the calendars of the store.
class CalendarsCommand {
public:
    static int run(const QStringList& arguments, std::FILE* output, std::FILE* errors);
};
