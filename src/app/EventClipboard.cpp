#include "EventClipboard.h"

#include "records/singleEventCopy.h"
#include "store/ics/VEventWriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void EventClipboard::copy(const CalEvent& event, const QString& line) {
    const std::shared_ptr<const CalEvent> single = singleEventCopy(event);
    auto* data = new QMimeData;
    // Another program's file may hold dates the text cannot: then only the line goes.
    if (!VEventWriter::check(*single))
        data->setData(QStringLiteral("text/calendar"), VEventWriter::documentWithEvent(*single).serialize());
    data->setText(line);
    QGuiApplication::clipboard()->setMimeData(data);
    m_event = single;
    emit changed();
}
