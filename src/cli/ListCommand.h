#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli list [--from ISO] [--to ISO] [--json]`: the occurrences overlapping a window, by start
// (by default today and the next seven days).
class ListCommand {
public:
    static int run(const QStringList& arguments, std::FILE* output, std::FILE* errors);
};
