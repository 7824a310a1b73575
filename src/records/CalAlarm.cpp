#include "CalAlarm.h"

std::shared_ptr<CalAlarm> CalAlarm::alarm() {
    return std::make_shared<CalAlarm>();
}

bool CalAlarm::sameAs(const CalAlarm& other) const {
    return m_action == other.m_action && m_relativeTrigger == other.m_relativeTrigger &&
           m_absoluteTrigger == other.m_absoluteTrigger && sound() == other.sound() && url() == other.url() &&
           emailAddress() == other.emailAddress() && procedureArguments() == other.procedureArguments();
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
