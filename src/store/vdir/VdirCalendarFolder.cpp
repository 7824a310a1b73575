#include "VdirCalendarFolder.h"

#include "RegularFileNames.h"
#include "base/BoundedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <iterator>

#include <unistd.h>

namespace {

const QString DISPLAY_NAME = QStringLiteral("displayname");
const QString COLOR = QStringLiteral("color");
const QString READ_ONLY = QStringLiteral("readonly");
const QString TYPE = QStringLiteral("type");

// Nothing for a file larger than a few lines, or anything else that would have to be waited on.
QString readSmallFile(const QString& path) {
    return QString::fromUtf8(BoundedFile::read(path, 4096, BoundedFile::Links::Follow).bytes).trimmed();
}

// Peers write "#RRGGBB"; some servers hand on "#RRGGBBAA" or surrounding blanks.
QString readColor(const QString& text, const QString& fallback) {
    static const QRegularExpression pattern(QStringLiteral("^#([0-9A-Fa-f]{6})([0-9A-Fa-f]{2})?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? u'#' + match.captured(1).toUpper() : fallback;
}

// The colour of a calendar whose folder has none (as vdirsyncer leaves a calendar the server gave no
// colour): one of a palette, the same for the folder's name on every start, so that such calendars tell
// apart without a colour file that would then win over the server's.
QString fallbackColor(const QString& folderName) {
    static const char* const PALETTE[] = {"#3A6EA5", "#C0504D", "#4F9A55", "#8064A2",
                                          "#D9822B", "#2E8B9A", "#B5487B", "#7A7A2E"};
    quint32 hash = 2166136261u; // FNV-1a: unlike qHash, the same in every run
    for (const char byte : folderName.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return QString::fromLatin1(PALETTE[hash % std::size(PALETTE)]);
}

} // namespace

std::shared_ptr<CalCalendar> VdirCalendarFolder::readCalendar(const QString& folderPath) {
    auto calendar = CalCalendar::calendar();
    const QDir folder(folderPath);
    calendar->uid = folder.dirName();
    const QString title = readSmallFile(folder.filePath(DISPLAY_NAME));
    calendar->title = title.isEmpty() ? calendar->uid : title;
    calendar->color = readColor(readSmallFile(folder.filePath(COLOR)), fallbackColor(calendar->uid));
    const bool readOnly = QFileInfo::exists(folder.filePath(READ_ONLY));
    calendar->isEditable = !readOnly && ::access(QFile::encodeName(folderPath).constData(), W_OK) == 0;
    if (readSmallFile(folder.filePath(TYPE)).contains(QStringLiteral("caldav"), Qt::CaseInsensitive))
        calendar->type = CalCalendarTypeCalDAV;
    else if (readOnly)
        calendar->type = CalCalendarTypeSubscription;
    return calendar;
}

std::optional<StoreError> VdirCalendarFolder::writeMetadata(FileWriter& writer, const QString& folderPath,
                                                            const CalCalendar& calendar) {
    const QDir folder(folderPath);
    const std::pair<QString, QString> files[] = {{DISPLAY_NAME, calendar.title}, {COLOR, calendar.color}};
    for (const auto& [name, value] : files) {
        const QString path = folder.filePath(name);
        if (readSmallFile(path) == value && QFileInfo::exists(path))
            continue;
        if (name == COLOR && value == fallbackColor(folder.dirName()) && !QFileInfo::exists(path))
            continue; // the colour the folder reads as anyway
        const FileWriter::Mode mode =
            QFileInfo::exists(path) ? FileWriter::Mode::Replace : FileWriter::Mode::Create;
        if (auto error = writer.write(path, value.toUtf8() + '\n', mode))
            return error;
    }
    return std::nullopt;
}

QStringList VdirCalendarFolder::itemFileNames(const QString& folderPath) {
    return regularFileNames(folderPath, &VdirCalendarFolder::isItemFileName, true);
}

bool VdirCalendarFolder::isItemFileName(QByteArrayView name) {
    return !name.startsWith('.') && name.size() > 4 && qstrnicmp(name.last(4).data(), ".ics", 4) == 0;
}

QStringList VdirCalendarFolder::calendarFolderNames(const QString& rootPath) {
    return QDir(rootPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}
