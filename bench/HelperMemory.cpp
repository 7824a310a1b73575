// Resident memory of the helper's alarm delivery over a calendar tree: helper_memory STORE [SECONDS]
// prints the resident set and the live heap after the start of Qt, after the alarm service has looked up
// its alarms (the store open), and once the store has closed and the service sat idle for SECONDS
// (default 3) after that.
#include "dates/DateFormatter.h"
#include "editing/CanberraSoundPlayer.h"
#include "helper/AlarmService.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/vdir/OnDemandCalendarStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
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
    OnDemandCalendarStore store(QString::fromLocal8Bit(argv[1]));
    CanberraSoundPlayer sounds;
    DateFormatter formatter;
    QTemporaryDir state;
    const ProgramAlarmApprovals approvals(state.filePath(QStringLiteral("program-alarms.json")));
    AlarmService service(store, sounds, formatter, state.filePath(QStringLiteral("helper-state.json")),
                         approvals);
    service.start();
    report("alarms looked up, store open");
    const auto idle = OnDemandCalendarStore::CLOSE_DELAY + std::chrono::seconds(seconds);
    QTimer::singleShot(idle, &application, &QCoreApplication::quit);
    application.exec();
    report(store.isOpen() ? "idle, store still open" : "idle, store closed");
    std::printf("peak RSS %.1f MB\n", statusMegabytes("VmHWM:"));
    return 0;
}
