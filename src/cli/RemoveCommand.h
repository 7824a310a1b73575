#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli remove UID [--occurrence ISO] [--span 0|1|2]`: removes an event, or some occurrences of
// a recurring one (0 this one, 1 this and the later ones, 2 all; by default 0 with --occurrence, else 2).
class RemoveCommand {
public:
    static int run(const QStringList& arguments, std::FILE* output, std::FILE* errors);
};
