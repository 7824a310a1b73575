#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>

// One vdirsyncer command on Verdalune's configuration, run without blocking. What it logs is gathered
// for VdirsyncerOutput; a run that says nothing for ten minutes is stopped as hung.
class VdirsyncerRun : public QObject {
    Q_OBJECT
public:
    static constexpr int SILENCE_LIMIT_MS = 10 * 60 * 1000;

    explicit VdirsyncerRun(QObject* parent = nullptr);
    // Kills a command still running, telling no one.
    ~VdirsyncerRun() override;

    // `input` answers its questions (whether to make a missing calendar folder).
    void start(const QString& configuration, const QStringList& arguments, const QByteArray& input = {});
    // Kills it and waits for its end, which is reported before this returns.
    void stop();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

signals:
    // An item was copied or deleted.
    void itemDone();
    // `exitCode` is -1 when it could not start, crashed or was stopped.
    void finished(int exitCode, const QString& output);

private:
    void readOutput();
    void takeOutput();
    void finish(int exitCode);

    QProcess m_process;
    QTimer m_silence;
    QByteArray m_pending;
    QString m_output;
};
