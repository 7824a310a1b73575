#include "CanberraSoundPlayer.h"

#include "NamedSounds.h"
#include "base/Logger.h"

#include <QApplication>
#include <QFile>

#include <canberra.h>

CanberraSoundPlayer::CanberraSoundPlayer() {
    if (const int error = ca_context_create(&m_context); error != CA_SUCCESS) {
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("no sound context: %1").arg(QString::fromUtf8(ca_strerror(error))));
        m_context = nullptr;
        return;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Verdalune", nullptr);
}

CanberraSoundPlayer::~CanberraSoundPlayer() {
    if (m_context)
        ca_context_destroy(m_context);
}

bool CanberraSoundPlayer::play(const QString& name) {
    if (!m_context || name.isEmpty())
        return false;
    if (ca_context_play(m_context, 0, CA_PROP_EVENT_ID, name.toUtf8().constData(), nullptr) == CA_SUCCESS)
        return true;
    // A user's own sound outside any sound theme.
    const QString file = NamedSounds::soundFile(name);
    return !file.isEmpty() && ca_context_play(m_context, 0, CA_PROP_MEDIA_FILENAME,
                                              QFile::encodeName(file).constData(), nullptr) == CA_SUCCESS;
}

void CanberraSoundPlayer::beep() {
    QApplication::beep();
}
