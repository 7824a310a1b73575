// Resident memory of the helper's alarm delivery over a calendar tree: helper_memory STORE [SECONDS]
// prints the resident set and the live heap after the start of Qt, after opening the store, and after
// the alarm service has looked up its alarms and sat idle for SECONDS (default 3).
#include "dates/DateFormatter.h"
#include "editing/CanberraSoundPlayer.h"
#include "helper/AlarmService.h"
#include "store/vdir/VdirCalendarStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <string>

#include <malloc.h>

namespace {

// A field of /proc/self/status in MB.
double statusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

void report(const char* stage) {
    const double live = double(mallinfo2().uordblks) / (1024.0 * 1024.0);
    std::printf("%-34s RSS %6.1f MB  live heap %6.1f MB\n", stage, statusMegabytes("VmRSS:"), live);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: helper_memory STORE [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 3;
    report("Qt started");
    VdirCalendarStore store(QString::fromLocal8Bit(argv[1]));
    report("store open");
    CanberraSoundPlayer sounds;
    DateFormatter formatter;
    QTemporaryDir state;
    AlarmService service(store, sounds, formatter, state.filePath(QStringLiteral("helper-state.json")));
    service.start();
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    report("alarm service idle");
    malloc_trim(0);
    report("after returning free heap");
    std::printf("peak RSS %.1f MB\n", statusMegabytes("VmHWM:"));
    return 0;
}
