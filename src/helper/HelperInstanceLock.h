#pragma once

#include <QString>

// The lock that keeps a second helper of this user from running, also beside one left on an older
// session bus: `helper.lock` in `verdalune/` under the user's runtime folder, held for the life of the
// object. The file is one of the helper's own: a link, a pipe or anything else that is no plain file there
// is neither followed nor waited on, and the lock is then not held.
class HelperInstanceLock {
public:
    enum class Outcome { Held, HeldByAnother, Unusable };

    // Tries at once, without waiting for another holder; `runtimeFolder` is $XDG_RUNTIME_DIR.
    explicit HelperInstanceLock(const QString& runtimeFolder);
    ~HelperInstanceLock();
    HelperInstanceLock(const HelperInstanceLock&) = delete;
    HelperInstanceLock& operator=(const HelperInstanceLock&) = delete;

    Outcome outcome() const { return m_outcome; }
    // For Unusable: what is wrong, for the log.
    const QString& why() const { return m_why; }
    QString path() const;

private:
    void take();
    void refuse(const QString& what, int error);

    QString m_runtimeFolder;
    int m_descriptor = -1;
    Outcome m_outcome = Outcome::Unusable;
    QString m_why;
};
