#pragma once

#include "LaunchRequest.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDateTime>
#include <QObject>

// One running main program per session: the first start owns the program's name on the session bus;
// a later start hands it what it was asked for (files to import, a new event) or asks it to come to the
// front, instead of opening a second window.
class SingleInstance : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.pellowick.verdalune")
public:
    static inline const QString SERVICE_NAME = QStringLiteral("com.pellowick.verdalune");
    enum class Claim { Owned, AlreadyRunning, NoSessionBus };

    explicit SingleInstance(QDBusConnection connection = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    // Owns the name, or hands `request` to its owner; what the owner refuses is logged.
    Claim claim(const LaunchRequest& request = {});

public slots:
    Q_SCRIPTABLE void activate();
    // The helper hands over presses of the global shortcut while this program runs.
    Q_SCRIPTABLE void newEvent();
    // The helper's reminder was opened: the window shows that occurrence (its start in ISO 8601).
    Q_SCRIPTABLE void showEvent(const QString& uid, const QString& occurrenceStart);
    // Calendar files to import, by full path. Any program on the bus may call this: a path that may not
    // be imported (ImportFileCheck) is named in the error reply, and the window tells the user too.
    Q_SCRIPTABLE void importFiles(const QStringList& paths);

signals:
    void activationRequested();
    void newEventRequested();
    // A start that could not be read is invalid: then only the window comes to the front.
    void eventShowRequested(const QString& uid, const QDateTime& occurrenceStart);
    void importRequested(const QStringList& paths);

private:
    void forward(const QString& method, const QVariantList& arguments = {});

    QDBusConnection m_connection;
};
