#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM through the event loop: the signal only writes a byte to a pipe, and the program quits through
// its normal shutdown on the main thread when the loop reads it. Programs the helper starts get the
// default handling back, since handlers do not survive exec.
class TerminationSignalSource : public QObject {
    Q_OBJECT
public:
    // Installs the handler; a failure is an internal inconsistency.
    explicit TerminationSignalSource(QObject* parent = nullptr);
    ~TerminationSignalSource() override;

signals:
    void terminationRequested();

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};
