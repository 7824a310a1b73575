#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QDBusPendingCallWatcher;

// Shows notifications through the desktop's notification server (org.freedesktop.Notifications on the
// session bus) and reports what the user did with them. Callers name each notification by a tag of
// their own; the server's ids stay in here.
//
// Calls do not wait for the server, which may be slow, swamped or missing. At most MOST_CALLS_IN_FLIGHT
// are unanswered at a time, the others wait their turn, so that a burst cannot drown the server. A
// notification is shown once the server answers with its id; one it refuses or leaves unanswered is
// tried again after a while, MOST_ATTEMPTS times in all, and then logged as lost.
//
// The server's signals count only from the process that gave the id they name: so another program's
// are told apart without asking the bus who owns the server's name, a call that would wait.
//
// Texts are plain: a server that reads markup in the body gets it escaped, so that an event's or a
// calendar's text cannot format the notification or make the server fetch images. The server is asked
// once, before the first notification.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    static inline const QString SERVICE = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString PATH = QStringLiteral("/org/freedesktop/Notifications");
    static constexpr int MOST_CALLS_IN_FLIGHT = 8;
    static constexpr int MOST_ATTEMPTS = 3;
    static constexpr std::chrono::milliseconds CALL_TIMEOUT{25000}; // the bus's own default
    static constexpr std::chrono::milliseconds RETRY_DELAY{10000};

    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // `actions` alternates keys and their labels, as the server takes them.
    void show(quint64 tag, const QString& summary, const QString& body, const QStringList& actions,
              const QVariantMap& hints = {});
    // Takes the notification off the screen, where it is still shown.
    void close(quint64 tag);
    // How long a call may stay unanswered, and how long a notification that failed waits before it is
    // tried again; shorter only in tests.
    void setPatience(std::chrono::milliseconds callTimeout, std::chrono::milliseconds retryDelay);

signals:
    void actionInvoked(quint64 tag, const QString& action);
    // Closed by the user or the server, or never shown.
    void closed(quint64 tag);

private slots:
    void onActionInvoked(uint id, const QString& action, const QDBusMessage& signal);
    void onNotificationClosed(uint id, uint reason, const QDBusMessage& signal);

private:
    struct Shown {
        quint64 tag;
        QString server; // the bus's unique name of the process that showed it
    };
    struct Request {
        quint64 tag;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int attempts = 0;
    };

    void sendQueued();
    void sendQueued(bool markup);
    void askCapabilities();
    void send(Request request, bool markup);
    void onNotifyFinished(Request request, QDBusPendingCallWatcher* done);

    QDBusConnection m_bus;
    std::optional<bool> m_bodyMarkup; // unknown until the server answers
    bool m_askingCapabilities = false;
    QQueue<Request> m_queue; // waiting for the server's answer on markup, or for a call to finish
    int m_inFlight = 0;
    std::optional<quint64> tagOf(uint id, const QDBusMessage& signal) const;

    QHash<uint, Shown> m_shown; // by the server's id
    std::chrono::milliseconds m_callTimeout = CALL_TIMEOUT;
    std::chrono::milliseconds m_retryDelay = RETRY_DELAY;
};
