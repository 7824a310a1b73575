#pragma once

#include "ErrorReport.h"

#include <QObject>
#include <QString>
#include <QUrl>

class DistributedNotificationCenter;
class QWidget;

// Runs the helper program, which keeps the global shortcut while the main program is closed, and makes
// the desktop start it at login. One switch, `enabled`, bound to the preferences.
class HelperController : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
public:
    static inline const QString HELPER_BUNDLE_IDENTIFIER = QStringLiteral("com.pellowick.verdalunehelper");
    static inline const QString DID_REQUEST_HELPER_TO_EXIT =
        QStringLiteral("com.pellowickVelDidRequestHelperToExit");
    static inline const QString ERROR_DOMAIN = QStringLiteral("com.pellowick.verdalune.ErrorDomain");

    // The helper is the program `helperPath`, by default "verdalune-helper" beside this program. Alerts
    // open over `window`.
    HelperController(DistributedNotificationCenter& distributedNotificationCenter,
                     const QString& helperPath = defaultHelperPath(), QWidget* window = nullptr,
                     QObject* parent = nullptr);

    static QString defaultHelperPath();

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    void startHelper();
    void requestHelperToExit();
    bool isHelperRunning() const;
    void addHelperToLoginItems();
    void removeHelperFromLoginItems();
    // Lets the desktop know the helper's name and icon while it is switched on: an entry in
    // ~/.local/share/applications, at applicationEntryPath().
    void registerHelperBundleIdentifier();
    void unregisterHelperBundleIdentifier();
    static QString applicationEntryPath();
    bool launchApplicationAtPath(const QString& path, ErrorReport* error);

    // Asking whether the helper is a login item cannot fail with autostart entries, so there is no
    // error for it.
    bool isLoginItemURL(const QUrl& url) const;
    bool addLoginURL(const QUrl& url, ErrorReport* error);
    bool removeLoginURL(const QUrl& url, ErrorReport* error);

    // Errors open over `window` once it is set.
    // A window-modal alert: the description as message, the recovery suggestion as informative text.
    void reportError(const ErrorReport& error);

    static ErrorReport createAddLoginURLError(const ErrorReport& underlying);
    static ErrorReport createRemoveLoginURLError(const ErrorReport& underlying);

    QString helperPath() const { return m_helperPath; }
    QUrl helperUrl() const { return m_helperUrl; }

signals:
    void enabledChanged(bool enabled);
    // Each error as it is shown.
    void errorReported(const ErrorReport& error);

private:
    DistributedNotificationCenter& m_distributedNotificationCenter;
    QString m_helperPath;
    QUrl m_helperUrl;
    bool m_enabled = false;
    QWidget* m_window = nullptr;
};
