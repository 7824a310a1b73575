#pragma once

#include <QStringList>

#include <cstdio>

// `verdalune-cli add [--now ISO] [--calendar TITLE] LINE`: a new event from an entry line, saved in the
// store; prints its uid and the line the program writes back for it.
class AddCommand {
public:
    static int run(const QStringList& arguments, std::FILE* output, std::FILE* errors);
};
