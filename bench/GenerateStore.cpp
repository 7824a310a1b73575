// Writes the benchmark store to a folder, for timing whole programs on it: generate_store FOLDER COUNT
#include "VdirGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool valid = false;
    const int count = arguments.size() == 3 ? arguments[2].toInt(&valid) : 0;
    if (!valid || count <= 0) {
        std::fputs("usage: generate_store FOLDER COUNT\n", stderr);
        return 2;
    }
    VdirGenerator::write(arguments[1], count, 2026);
    return 0;
}
