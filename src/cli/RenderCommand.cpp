#include "RenderCommand.h"

#include "CommandLineOptions.h"
#include "CommandOutput.h"
#include "IsoDateText.h"
#include "StoreSession.h"
#include "base/VisibleText.h"
#include "dates/dateUtilities.h"
#include "timeline/OffscreenTimelineCanvas.h"
#include "timeline/timelineSettings.h"
#include "timeline/timelineUtilities.h"

#include "base/FileReplacement.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace {

// Beyond this a painter cannot address the image.
constexpr int MAX_IMAGE_HEIGHT = 32767;

std::optional<double> sizeOption(const CommandLineOptions& options, const char* name, double fallback,
                                 QString& error) {
    return options.has(name) ? options.readNumber(name, 100, 10000, error) : fallback;
}

// The first of the range's events (in start order) of the listed uids.
EventList eventsWithUids(const EventList& events, const QStringList& uids) {
    EventList found;
    for (const QString& uid : uids) {
        const auto it =
            std::find_if(events.begin(), events.end(), [&uid](const auto& e) { return e->uid == uid; });
        if (it != events.end())
            found.append(*it);
    }
    return found;
}

} // namespace

int RenderCommand::run(const QStringList& arguments, std::FILE* output, std::FILE* errors) {
    QString error;
    const auto options = CommandLineOptions::read(arguments,
                                                  {"--from", "--interval", "--width", "--height", "--scale",
                                                   "--now", "--selected", "--focus", "--time-mode"},
                                                  {"--quiet"}, error);
    if (!options)
        return CommandOutput::fail(errors, "render", error, 2);
    if (options->positional().size() != 1)
        return CommandOutput::fail(errors, "render",
                                   QStringLiteral("give one output file, e.g. timeline.png"), 2);
    if (!options->has("--from") || !options->has("--interval"))
        return CommandOutput::fail(errors, "render", QStringLiteral("--from and --interval are required"), 2);
    const std::optional<CalendarDate> from = IsoDateText::readOption(*options, "--from", error);
    if (!from)
        return CommandOutput::fail(errors, "render", error, 2);
    const std::optional<double> interval =
        options->readNumber("--interval", MIN_TIME_INTERVAL, MAX_TIME_INTERVAL, error);
    const std::optional<double> width =
        interval ? sizeOption(*options, "--width", 1280, error) : std::nullopt;
    const std::optional<double> height = width ? sizeOption(*options, "--height", 800, error) : std::nullopt;
    if (!height)
        return CommandOutput::fail(errors, "render", error, 2);
    const QString scale = options->has("--scale") ? options->value("--scale") : QStringLiteral("log");
    if (scale != u"log" && scale != u"linear")
        return CommandOutput::fail(errors, "render",
                                   QStringLiteral("--scale must be log or linear, not \"%1\"").arg(scale), 2);
    const std::optional<CalendarDate> now =
        options->has("--now") ? IsoDateText::readOption(*options, "--now", error) : CalendarDate::now();
    if (!now)
        return CommandOutput::fail(errors, "render", error, 2);
    std::optional<int> timeMode = defaultSystemTimeModeHours();
    if (options->has("--time-mode") && !(timeMode = options->readChoice("--time-mode", {"12", "24"}, error)))
        return CommandOutput::fail(errors, "render", error, 2);

    const std::unique_ptr<StoreSession> session =
        StoreSession::open(error, options->has("--quiet") ? nullptr : errors);
    if (!session)
        return CommandOutput::fail(errors, "render", error, 1);
    const CalendarDate to = from->addingSeconds(*interval);
    EventList events = eventsInInterval(
        session->store().events(from->toQDateTime(), to.toQDateTime(), session->store().calendars()), *from,
        to);
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a->startDate < b->startDate; });

    EventHighlights highlights;
    if (options->has("--selected")) {
        const EventList selected = eventsWithUids(events, {options->value("--selected")});
        if (selected.isEmpty())
            return CommandOutput::fail(
                errors, "render",
                QStringLiteral("no event with uid \"%1\" in the range").arg(options->value("--selected")), 2);
        highlights.selectedEvent = selected.front();
    }
    highlights.focusedEvents =
        eventsWithUids(events, options->value("--focus").split(u',', Qt::SkipEmptyParts));

    OffscreenTimelineCanvas canvas{QSize(int(*width), int(*height))};
    canvas.setStartDate(*from);
    canvas.setTimeInterval(*interval);
    canvas.setLogarithmic(scale == u"log");
    canvas.setTimeModeHours(*timeMode);
    canvas.setEvents(events);
    canvas.setHighlights(highlights);
    canvas.layout();
    const double imageHeight = canvas.boundsSize().height();
    if (imageHeight > MAX_IMAGE_HEIGHT)
        return CommandOutput::fail(
            errors, "render",
            QStringLiteral("the rows need %1 pixels, more than an image can hold (%2); "
                           "render a shorter range")
                .arg(int(imageHeight))
                .arg(MAX_IMAGE_HEIGHT),
            2);
    const QImage image = canvas.paint(*now);

    const QString path = options->positional().front();
    // The image replaces the target as a whole; a device or pipe there must not become a plain file.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return CommandOutput::fail(errors, "render", QStringLiteral("\"%1\" is not a regular file").arg(path),
                                   2);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return CommandOutput::fail(errors, "render", QStringLiteral("cannot encode the image"), 2);
    // Through a link, the file it leads to is replaced and the link stays.
    const QByteArray written = QFile::encodeName(target.exists() ? target.canonicalFilePath() : path);
    struct stat old {};
    const bool replacing = ::stat(written.constData(), &old) == 0;
    if (const auto failure = FileReplacement::write(written, png, FileReplacement::Placing::OverAnyOld,
                                                    replacing ? &old : nullptr))
        return CommandOutput::fail(errors, "render",
                                   QStringLiteral("cannot write \"%1\": %2")
                                       .arg(path, QString::fromLocal8Bit(std::strerror(failure->error))),
                                   2);
    CommandOutput::write(output, QStringLiteral("%1: %2 × %3 pixels, %4 events\n")
                                     .arg(VisibleText::escaped(path))
                                     .arg(image.width())
                                     .arg(image.height())
                                     .arg(events.size())
                                     .toUtf8());
    return 0;
}
