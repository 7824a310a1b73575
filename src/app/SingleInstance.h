#pragma once

#include <QDBusConnection>
#include <QDateTime>
#include <QObject>

// One running main program per session: the first start owns the program's name on the session bus;
// a later start asks it to come to the front instead of opening a second window.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.pellowick.verdalune")
public:
    static inline const QString SERVICE_NAME = QStringLiteral("com.pellowick.verdalune");
    enum class Claim { Owned, AlreadyRunning, NoSessionBus };

    explicit SingleInstance(QDBusConnection connection = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    // Owns the name, or brings its owner to the front.
    Claim claim();

public slots:
    Q_SCRIPTABLE void activate();
    // The helper hands over presses of the global shortcut while this program runs.
    Q_SCRIPTABLE void newEvent();
    // The helper's reminder was opened: the window shows that occurrence (its start in ISO 8601).
    Q_SCRIPTABLE void showEvent(const QString& uid, const QString& occurrenceStart);

signals:
    void activationRequested();
    void newEventRequested();
    // A start that could not be read is invalid: then only the window comes to the front.
    void eventShowRequested(const QString& uid, const QDateTime& occurrenceStart);

private:
    QDBusConnection m_connection;
};
