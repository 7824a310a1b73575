#include "CalAlarm.h"

std::shared_ptr<CalAlarm> CalAlarm::alarm() {
    return std::make_shared<CalAlarm>();
}

std::shared_ptr<CalAlarm> CalAlarm::copy() const {
    return std::make_shared<CalAlarm>(*this);
}

void CalAlarm::setSound(const QString& sound) {
    m_sound = sound;
    m_action = Sound;
}

void CalAlarm::setUrl(const QUrl& url) {
    m_url = url;
    m_action = Procedure;
}
