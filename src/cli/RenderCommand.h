#pragma once

#include <QStringList>

#include <cstdio>

// verdalune-cli render: the store's events of a range drawn to a PNG as the timeline shows them.
class RenderCommand {
public:
    // 0 when the image was written; 1 when the store cannot be opened; 2 for bad arguments or a file that
    // cannot be written (nothing is left behind then).
    static int run(const QStringList& arguments, std::FILE* output, std::FILE* errors);
};
