#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

// A reminder attached to an event, either relative to its start or at a fixed moment.
class CalAlarm {
public:
    // NoAction: an alarm the user is still setting up (the editor's empty alarm row); it alerts in no way
    // and the store never writes it. Kept last so that the other values stay as they are stored.
    enum Action { Display, Email, Procedure, Sound, NoAction };

    static std::shared_ptr<CalAlarm> alarm();
    std::shared_ptr<CalAlarm> copy() const;
    // Equal in what the alarm does and when.
    bool sameAs(const CalAlarm& other) const;

    Action action() const { return m_action; }
    void setAction(Action action) { m_action = action; }

    // Seconds relative to the event's start; negative is before it. Used when there is no absolute trigger.
    double relativeTrigger() const { return m_relativeTrigger; }
    void setRelativeTrigger(double seconds) { m_relativeTrigger = seconds; }
    std::optional<QDateTime> absoluteTrigger() const { return m_absoluteTrigger; }
    void setAbsoluteTrigger(std::optional<QDateTime> moment) { m_absoluteTrigger = std::move(moment); }

    // Setting a sound makes the alarm play it; setting a URL makes it open the URL.
    QString sound() const { return m_sound; }
    void setSound(const QString& sound);
    QUrl url() const { return m_url; }
    void setUrl(const QUrl& url);
    QString emailAddress() const { return m_emailAddress; }
    void setEmailAddress(const QString& address) { m_emailAddress = address; }
    // What a run-program alarm hands its program: one argument, passed as it stands, never split or
    // interpreted by a shell. Empty: the program runs without arguments.
    QString procedureArguments() const { return m_procedureArguments; }
    void setProcedureArguments(const QString& arguments) { m_procedureArguments = arguments; }

private:
    Action m_action = Display;
    double m_relativeTrigger = 0;
    std::optional<QDateTime> m_absoluteTrigger;
    QString m_sound;
    QString m_emailAddress;
    QString m_procedureArguments;
    QUrl m_url;
};
