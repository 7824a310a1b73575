#include "VdirsyncerRun.h"

#include "VdirsyncerOutput.h"

#include <QCoreApplication>

VdirsyncerRun::VdirsyncerRun(QObject* parent) : QObject(parent) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_silence.setSingleShot(true);
    m_silence.setInterval(SILENCE_LIMIT_MS);
    connect(&m_silence, &QTimer::timeout, this, &VdirsyncerRun::stop);
    connect(&m_process, &QProcess::readyRead, this, &VdirsyncerRun::readOutput);
    connect(&m_process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit ? exitCode : -1);
    });
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            m_output +=
                QCoreApplication::translate("VdirsyncerRun", "error: vdirsyncer could not be started: %1")
                    .arg(m_process.errorString());
            finish(-1);
        }
    });
}

VdirsyncerRun::~VdirsyncerRun() {
    m_process.disconnect(this);
    stop();
}

void VdirsyncerRun::start(const QString& configuration, const QStringList& arguments,
                          const QByteArray& input) {
    m_output.clear();
    m_pending.clear();
    m_silence.start();
    m_process.start(QStringLiteral("vdirsyncer"),
                    QStringList{QStringLiteral("-c"), configuration} + arguments);
    m_process.write(input);
    m_process.closeWriteChannel();
}

void VdirsyncerRun::stop() {
    m_process.kill();
    m_process.waitForFinished();
}

void VdirsyncerRun::readOutput() {
    m_silence.start();
    takeOutput();
}

void VdirsyncerRun::takeOutput() {
    m_pending += m_process.readAll();
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QString line = QString::fromUtf8(m_pending.left(end));
        m_pending.remove(0, end + 1);
        m_output += line + u'\n';
        if (VdirsyncerOutput::isItemLine(line))
            emit itemDone();
    }
}

void VdirsyncerRun::finish(int exitCode) {
    m_silence.stop();
    takeOutput();
    m_output += QString::fromUtf8(m_pending);
    m_pending.clear();
    emit finished(exitCode, m_output);
}
