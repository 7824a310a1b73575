#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli parse`: applies entry lines to a base event as the event editor does and prints the
// result as one JSON object per line.
class ParseCommand {
public:
    // Exit status: 0 done, 1 the line was not understood, 2 bad arguments.
    static int run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors);
};
