#include "SSLoginItems.h"

#include "base/FileReplacement.h"
#include "base/Logger.h"
#include "base/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <optional>

namespace {

struct Entry {
    QString program; // empty when the Exec line names none
    bool hidden = false;
};

// The first word of an Exec value, with the desktop entry format's quoting undone.
QString firstExecWord(const QString& exec) {
    QString word;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'\\' && i + 1 < exec.size())
                word.append(exec.at(++i));
            else if (c == u'"')
                quoted = false;
            else
                word.append(c);
        } else if (c == u'"') {
            quoted = true;
        } else if (c.isSpace()) {
            if (!word.isEmpty())
                break;
        } else {
            word.append(c);
        }
    }
    return word.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// The value's string escapes (\s, \n, \t, \r, \\) undone.
QString unescapeValue(const QString& value) {
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != u'\\' || i + 1 == value.size()) {
            text.append(value.at(i));
            continue;
        }
        const QChar next = value.at(++i);
        text.append(next == u's'   ? QChar(u' ')
                    : next == u'n' ? QChar(u'\n')
                    : next == u't' ? QChar(u'\t')
                    : next == u'r' ? QChar(u'\r')
                                   : next);
    }
    return text;
}

// Whatever is not a plain entry file (a link, a pipe, a huge file) is not read.
std::optional<Entry> readEntry(const QString& path, int* status) {
    const PrivateFile::Contents contents = PrivateFile::read(path, SSLoginItems::MAX_ENTRY_SIZE);
    if (contents.outcome != PrivateFile::Outcome::Read) {
        *status = contents.outcome == PrivateFile::Outcome::Missing ? ENOENT : EINVAL;
        return std::nullopt;
    }
    Entry entry;
    bool inMainGroup = false;
    for (const QByteArray& rawLine : contents.bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QStringLiteral("Exec"))
            entry.program = firstExecWord(unescapeValue(value));
        else if (key == QStringLiteral("Hidden"))
            entry.hidden = value == QStringLiteral("true");
    }
    if (entry.program.isEmpty()) {
        *status = EINVAL;
        return std::nullopt;
    }
    return entry;
}

// The program's file, found on PATH when the entry names it without a folder.
QString resolvedProgram(const QString& program) {
    const QString found = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    return found.isEmpty() ? QString() : QFileInfo(found).canonicalFilePath();
}

ErrorReport loginError(long code) {
    return ErrorReport{SSLoginItems::ERROR_DOMAIN, code, {}, {}, nullptr};
}

} // namespace

QString SSLoginItems::autostartDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QStringList SSLoginItems::copySnapshotOfLoginItems() {
    const QDir directory(autostartDirectory());
    QStringList paths;
    for (const QString& name : directory.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name))
        paths.append(directory.filePath(name));
    return paths;
}

QString SSLoginItems::getLoginItemURL(const QUrl& url) {
    if (url.isEmpty())
        return {};
    const QString wanted = QFileInfo(url.toLocalFile()).canonicalFilePath();
    for (const QString& path : copySnapshotOfLoginItems()) {
        int status = 0;
        const std::optional<Entry> entry = readEntry(path, &status);
        const QString program = entry ? resolvedProgram(entry->program) : QString();
        if (program.isEmpty()) {
            VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("LSSharedFileListItemResolve failed status %1\nSkipping this item.")
                       .arg(entry ? ENOENT : status));
            continue;
        }
        if (!entry->hidden && !wanted.isEmpty() && program == wanted)
            return path;
    }
    return {};
}

bool SSLoginItems::isLoginItemURL(const QUrl& url) {
    return !getLoginItemURL(url).isEmpty();
}

bool SSLoginItems::addLoginURL(const QUrl& url, const QString& entryName, const QString& displayName,
                               ErrorReport* error) {
    const QString directory = autostartDirectory();
    const QString target = directory + u'/' + entryName + QStringLiteral(".desktop");
    if (!QDir().mkpath(directory) ||
        FileReplacement::write(QFile::encodeName(target), entryText(url.toLocalFile(), displayName),
                               FileReplacement::Placing::OverAnyOld)) {
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("DebugLog: 3135"));
        if (error)
            *error = loginError(INSERT_FAILED);
        return false;
    }
    return true;
}

bool SSLoginItems::removeLoginURL(const QUrl& url, ErrorReport* error) {
    const QString path = getLoginItemURL(url);
    if (path.isEmpty()) {
        if (error)
            *error = loginError(NOT_A_LOGIN_ITEM);
        return false;
    }
    QFile file(path);
    if (!file.remove()) {
        if (error)
            *error = loginError(file.error() == QFileDevice::PermissionsError ? EACCES : EIO);
        return false;
    }
    return true;
}

QByteArray SSLoginItems::entryText(const QString& program, const QString& displayName) {
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted.append(u'\\');
        quoted.append(c);
    }
    // The quoted word is itself a string value, whose backslashes are escaped once more; a percent sign
    // would start a field code.
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'%', QStringLiteral("%%"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=\"%2\"\n"
                          "Icon=com.pellowick.verdalune\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(displayName, quoted)
        .toUtf8();
}
