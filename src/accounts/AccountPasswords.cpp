#include "AccountPasswords.h"

#include "base/Logger.h"

#include <QCoreApplication>

// GLib names a struct member "signals", which Qt's keyword would break.
#undef signals
#include <libsecret/secret.h>

namespace {
const SecretSchema* schema() {
    static const SecretSchema schema = {"com.pellowick.Verdalune.Account",
                                        SECRET_SCHEMA_NONE,
                                        {{AccountPasswords::ATTRIBUTE, SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                        0,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};
    return &schema;
}

QString takeMessage(GError* error) {
    const QString message = QString::fromUtf8(error->message);
    g_error_free(error);
    return message;
}
} // namespace

std::optional<QString> AccountPasswords::store(const QString& accountId, const QString& label,
                                               const QString& password) {
    GError* error = nullptr;
    const bool stored = secret_password_store_sync(
        schema(), SECRET_COLLECTION_DEFAULT, label.toUtf8().constData(), password.toUtf8().constData(),
        nullptr, &error, ATTRIBUTE, accountId.toUtf8().constData(), nullptr);
    if (stored)
        return std::nullopt;
    const QString why = error ? takeMessage(error) : QString();
    return QCoreApplication::translate("AccountPasswords", "The keyring did not keep the password: %1")
        .arg(why);
}

void AccountPasswords::remove(const QString& accountId) {
    GError* error = nullptr;
    secret_password_clear_sync(schema(), nullptr, &error, ATTRIBUTE, accountId.toUtf8().constData(), nullptr);
    if (error)
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The keyring kept the password of account %1: %2")
                   .arg(accountId, takeMessage(error)));
}

QStringList AccountPasswords::lookupCommand(const QString& accountId) {
    return {QStringLiteral("command"), QStringLiteral("secret-tool"), QStringLiteral("lookup"),
            QString::fromLatin1(ATTRIBUTE), accountId};
}
