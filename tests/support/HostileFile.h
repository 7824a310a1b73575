#pragma once

#include "ChildProcess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

// What somebody else may have put where a program keeps a file of its own. Each kind is made at a path,
// with whatever a link aims at made in a scratch folder of the test, and can then be checked for harm
// done outside that path.
enum class HostileKind { LinkToFile, DanglingLink, Fifo, LinkToDevZero, Directory, Oversize };

inline constexpr HostileKind ALL_HOSTILE_KINDS[] = {HostileKind::LinkToFile, HostileKind::DanglingLink,
                                                    HostileKind::Fifo,       HostileKind::LinkToDevZero,
                                                    HostileKind::Directory,  HostileKind::Oversize};

// In the order of the enum, for the names of parametrised tests.
inline constexpr const char* HOSTILE_KIND_NAMES[] = {"LinkToFile",    "DanglingLink", "Fifo",
                                                     "LinkToDevZero", "Directory",    "Oversize"};

inline std::string hostileKindName(HostileKind kind) {
    return HOSTILE_KIND_NAMES[int(kind)];
}
inline std::string hostileTestName(const ::testing::TestParamInfo<HostileKind>& info) {
    return hostileKindName(info.param);
}

class HostileFile {
public:
    static inline const QByteArray VICTIM_TEXT = "the user's own file\n";

    // `oversize`: the size of the Oversize kind's file, above the bound of the file under test.
    HostileFile(HostileKind kind, const QString& path, const QString& scratch, qint64 oversize)
        : m_kind(kind), m_path(path), m_victim(QDir(scratch).filePath(QStringLiteral("victim"))) {
        QDir().mkpath(QFileInfo(path).path());
        QFile::remove(path);
        const QByteArray at = QFile::encodeName(path);
        switch (kind) {
        case HostileKind::LinkToFile: {
            QFile victim(m_victim);
            victim.open(QIODevice::WriteOnly);
            victim.write(VICTIM_TEXT);
            [[fallthrough]];
        }
        case HostileKind::DanglingLink:
            m_made = ::symlink(QFile::encodeName(m_victim).constData(), at.constData()) == 0;
            break;
        case HostileKind::Fifo:
            m_made = ::mkfifo(at.constData(), 0600) == 0;
            break;
        case HostileKind::LinkToDevZero:
            m_made = ::symlink("/dev/zero", at.constData()) == 0;
            break;
        case HostileKind::Directory:
            m_made = QDir().mkdir(path);
            break;
        case HostileKind::Oversize: {
            QFile file(path);
            m_made = file.open(QIODevice::WriteOnly) && file.resize(oversize); // sparse: costs no disk
            break;
        }
        }
    }

    HostileKind kind() const { return m_kind; }
    bool made() const { return m_made; }

    // Nothing outside the path was touched: a link's target keeps its text, a dangling link's target
    // is still missing.
    ::testing::AssertionResult harmless() const {
        if (m_kind == HostileKind::LinkToFile) {
            QFile victim(m_victim);
            if (!victim.open(QIODevice::ReadOnly) || victim.readAll() != VICTIM_TEXT)
                return ::testing::AssertionFailure() << "the link's target was changed";
        }
        if (m_kind == HostileKind::DanglingLink && QFileInfo::exists(m_victim))
            return ::testing::AssertionFailure() << "the dangling link's target was created";
        return ::testing::AssertionSuccess();
    }

    // The path holds a plain file of its own now (replaced, not written through).
    bool replacedByPlainFile() const {
        struct stat info {};
        return ::lstat(QFile::encodeName(m_path).constData(), &info) == 0 && S_ISREG(info.st_mode);
    }

private:
    HostileKind m_kind;
    QString m_path;
    QString m_victim;
    bool m_made = false;
};

// Makes `kind` at `path` and runs `work`, which reads and writes the file there as the program does, in a
// child process: it must end, harm nothing outside the path and, where asked and the path was not a
// folder, leave a plain file there.
inline ::testing::AssertionResult withstands(HostileKind kind, const QString& path, qint64 oversize,
                                             const std::function<bool()>& work, bool replaced = true) {
    const QTemporaryDir scratch;
    const HostileFile hostile(kind, path, scratch.path(), oversize);
    if (!hostile.made())
        return ::testing::AssertionFailure() << "could not be made";
    if (auto ran = succeedsInChild(work); !ran)
        return ran;
    if (auto harm = hostile.harmless(); !harm)
        return harm;
    if (replaced && kind != HostileKind::Directory && !hostile.replacedByPlainFile())
        return ::testing::AssertionFailure() << "no plain file was put in its place";
    return ::testing::AssertionSuccess();
}
