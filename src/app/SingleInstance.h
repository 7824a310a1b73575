#pragma once

#include <QDBusConnection>
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

signals:
    void activationRequested();
    void newEventRequested();

private:
    QDBusConnection m_connection;
};
