#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The accounts' passwords in the desktop's keyring (the Secret Service), under the attribute
// "verdalune-account" = the account's id; vdirsyncer reads them back with secret-tool.
class AccountPasswords {
public:
    static constexpr const char* ATTRIBUTE = "verdalune-account";

    // The reason when the keyring did not take it.
    static std::optional<QString> store(const QString& accountId, const QString& label,
                                        const QString& password);
    static void remove(const QString& accountId);
    // The command that prints the password, for vdirsyncer's password.fetch.
    static QStringList lookupCommand(const QString& accountId);
};
