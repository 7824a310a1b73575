#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli import [--calendar TITLE] FILE|-`: the events of an iCalendar file, or of the standard
// input (a mail filter's attachment), put into a calendar as File > Import… puts them: by default the
// first editable calendar. Prints the uid and title of each imported event.
class ImportCommand {
public:
    static int run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors);
};
