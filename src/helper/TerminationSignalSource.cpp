#include "TerminationSignalSource.h"

#include "base/InternalInconsistency.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

void onTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // Nothing to do when the pipe is full: a quit is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignalSource::TerminationSignalSource(QObject* parent) : QObject(parent) {
    VL_ASSERT(::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0, QStringLiteral("pipe created"));
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    VL_ASSERT(::sigaction(SIGTERM, &action, nullptr) == 0, QStringLiteral("sigErr != SIG_ERR"));
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignalSource::drain);
}

TerminationSignalSource::~TerminationSignalSource() {
    std::signal(SIGTERM, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignalSource::drain() {
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    emit terminationRequested();
}
