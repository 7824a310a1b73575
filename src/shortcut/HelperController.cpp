#include "HelperController.h"

#include "DistributedNotificationCenter.h"
#include "SSLoginItems.h"
#include "base/FileReplacement.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/PrivateFile.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString HELPER_NAME = QStringLiteral("Verdalune Helper");

ErrorReport helperError(long code, const QString& description, const QString& suggestion,
                        const ErrorReport* underlying) {
    return ErrorReport{HelperController::ERROR_DOMAIN, code, description, suggestion,
                       underlying ? std::make_shared<ErrorReport>(*underlying) : nullptr};
}

QString describe(const ErrorReport& error) {
    return QStringLiteral("%1 %2 %3").arg(error.domain).arg(error.code).arg(error.description);
}

} // namespace

HelperController::HelperController(DistributedNotificationCenter& distributedNotificationCenter,
                                   const QString& helperPath, QWidget* window, QObject* parent)
    : QObject(parent), m_distributedNotificationCenter(distributedNotificationCenter), m_window(window) {
    VL_ASSERT(QFileInfo(helperPath).isExecutable(), QStringLiteral("Found path to helper application"));
    m_helperPath = QFileInfo(helperPath).absoluteFilePath();
    m_helperUrl = QUrl::fromLocalFile(m_helperPath);
}

QString HelperController::defaultHelperPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/verdalune-helper");
}

void HelperController::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    if (enabled) {
        registerHelperBundleIdentifier();
        startHelper();
        addHelperToLoginItems();
    } else {
        requestHelperToExit();
        removeHelperFromLoginItems();
        unregisterHelperBundleIdentifier();
    }
    m_enabled = enabled;
    emit enabledChanged(enabled);
}

void HelperController::startHelper() {
    if (isHelperRunning())
        return;
    ErrorReport launchError;
    if (!launchApplicationAtPath(m_helperPath, &launchError)) {
        // One alert that carries the launch's own error, rather than two in a row.
        ErrorReport error = helperError(
            1, tr("The helper %1 could not be started: %2").arg(m_helperPath, launchError.description),
            tr("The shortcut and reminders work only while Verdalune is open. Check that verdalune-helper is "
               "installed beside verdalune and can be run, then switch \u201cKeep the shortcut working "
               "while Verdalune is closed\u201d off and on again in the preferences."),
            &launchError);
        reportError(error);
    }
}

void HelperController::requestHelperToExit() {
    m_distributedNotificationCenter.postNotificationName(DID_REQUEST_HELPER_TO_EXIT);
}

bool HelperController::isHelperRunning() const {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(HELPER_BUNDLE_IDENTIFIER).value();
}

void HelperController::addHelperToLoginItems() {
    if (isLoginItemURL(m_helperUrl))
        return;
    ErrorReport error;
    if (!addLoginURL(m_helperUrl, &error)) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("Error %1").arg(describe(error)));
        reportError(createAddLoginURLError(error));
    }
}

void HelperController::removeHelperFromLoginItems() {
    ErrorReport error;
    if (!removeLoginURL(m_helperUrl, &error)) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("Error %1").arg(describe(error)));
        reportError(createRemoveLoginURLError(error));
    }
}

QString HelperController::applicationEntryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/applications/") + HELPER_BUNDLE_IDENTIFIER + QStringLiteral(".desktop");
}

void HelperController::registerHelperBundleIdentifier() {
    const QString target = applicationEntryPath();
    const QString directory = QFileInfo(target).path();
    const QByteArray text = SSLoginItems::entryText(m_helperPath, HELPER_NAME);
    const PrivateFile::Contents existing = PrivateFile::read(target, SSLoginItems::MAX_ENTRY_SIZE);
    if (existing.outcome == PrivateFile::Outcome::Read && existing.bytes == text)
        return;
    if (existing.outcome == PrivateFile::Outcome::Refused)
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 is not a plain entry file (%2): written anew").arg(target, existing.why));
    int status = 0;
    if (!QDir().mkpath(directory))
        status = EACCES;
    else if (const auto failure = FileReplacement::write(QFile::encodeName(target), text,
                                                         FileReplacement::Placing::OverAnyOld))
        status = failure->error;
    if (status != 0)
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("Failed to register helper bundle identifier, url %1, status %2")
                   .arg(m_helperUrl.toString())
                   .arg(status));
}

void HelperController::unregisterHelperBundleIdentifier() {
    QFile entry(applicationEntryPath());
    if (!entry.remove() && QFileInfo(entry.fileName()).exists())
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("Failed to remove %1: %2").arg(entry.fileName(), entry.errorString()));
}

bool HelperController::launchApplicationAtPath(const QString& path, ErrorReport* error) {
    QProcess process;
    process.setProgram(path);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (process.startDetached(&pid))
        return true;
    if (error)
        *error = ErrorReport{QStringLiteral("QProcess"), process.error(), process.errorString(), {}, nullptr};
    return false;
}

bool HelperController::isLoginItemURL(const QUrl& url) const {
    return SSLoginItems::isLoginItemURL(url);
}

bool HelperController::addLoginURL(const QUrl& url, ErrorReport* error) {
    return SSLoginItems::addLoginURL(url, HELPER_BUNDLE_IDENTIFIER, HELPER_NAME, error);
}

bool HelperController::removeLoginURL(const QUrl& url, ErrorReport* error) {
    return SSLoginItems::removeLoginURL(url, error);
}

void HelperController::reportError(const ErrorReport& error) {
    emit errorReported(error);
    auto* box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), error.description,
                                QMessageBox::Ok, m_window);
    box->setInformativeText(error.recoverySuggestion);
    if (error.underlying)
        box->setDetailedText(describe(*error.underlying));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(m_window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

ErrorReport HelperController::createAddLoginURLError(const ErrorReport& underlying) {
    return helperError(3, tr("Sorry, but I couldn't add the helper application to the Login Items."),
                       tr("This means that the global shortcut won't automatically work the next time you "
                          "login."),
                       &underlying);
}

ErrorReport HelperController::createRemoveLoginURLError(const ErrorReport& underlying) {
    return helperError(4, tr("Sorry, but I couldn't remove the helper application from the Login Items."),
                       tr("This means that the helper application will automatically start the next time "
                          "you login.  You could try and remove it yourself in your desktop's autostart "
                          "settings, or remove its entry from %1.")
                           .arg(SSLoginItems::autostartDirectory()),
                       &underlying);
}
