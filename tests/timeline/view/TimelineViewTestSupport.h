#pragma once

#include "LoopTestSupport.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/DateToPositionMapping.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QScrollArea>
#include <QTest>

#include <algorithm>
#include <memory>

// The timeline view in its scroll area, with its controller over a real calendar folder: the calendar
// "home" and the read-only "feed", and five days from tomorrow on the linear scale.
class TimelineViewFixture {
public:
    TimelineViewFixture() {
        loop.makeCalendar(u"home"_s);
        loop.makeCalendar(u"feed"_s);
        // A subscription's event: written before the calendar becomes read-only.
        saveInStore(u"news"_s, u"feed"_s, tomorrow().addingSeconds(30 * 3600.0));
        loop.makeReadOnly(u"feed"_s);
        view = new TimelineView;
        area.resize(1040, 600);
        view->placeInScrollArea(area);
        controller = std::make_unique<TimelineViewController>(*view, loop.model, loop.controller, loop.undo);
        loop.load();
        controller->setViewMode(TimelineViewController::Linear);
        controller->setTimeInterval(5 * 86400.0);
        controller->setStartDate(tomorrow());
        area.show();
        layOut();
    }

    static CalendarDate tomorrow() { return CalendarDate::now().truncateToDay().addDay(); }

    void saveInStore(const QString& uid, const QString& calendarUid, const CalendarDate& start) {
        auto event = CalEvent::event();
        event->uid = event->title = uid;
        event->calendar = loop.store.calendarWithUID(calendarUid);
        event->startDate = start.toQDateTime();
        event->endDate = start.addingSeconds(3600).toQDateTime();
        if (loop.store.saveEvent(*event, CalSpan::AllEvents))
            throw std::runtime_error("cannot store event");
    }
    // Stored, and in the model once the store has reported it.
    void save(const QString& uid, const QString& calendarUid, const CalendarDate& start, double seconds,
              bool allDay = false, const QString& notes = QString()) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = uid;
        event->notes = notes;
        event->calendar = loop.store.calendarWithUID(calendarUid);
        event->startDate = start.toQDateTime();
        event->endDate = start.addingSeconds(seconds).toQDateTime();
        event->isAllDay = allDay;
        loop.controller.addEvent(*event);
        loop.nextPass();
        layOut();
    }
    // Events "stack0" … at the same time, one below the other.
    void stack(int count, const CalendarDate& start) {
        for (int i = 0; i < count; ++i)
            save(u"stack%1"_s.arg(i), u"home"_s, start, 3600);
    }
    void layOut() {
        QCoreApplication::processEvents();
        view->doLayoutEvents();
    }
    std::shared_ptr<ArrangedEvent> arranged(const QString& uid) const {
        const auto& all = view->eventArranger().arrangedEvents();
        const auto found =
            std::find_if(all.begin(), all.end(), [&](const auto& a) { return a->event()->uid == uid; });
        return found == all.end() ? nullptr : *found;
    }
    std::shared_ptr<CalEvent> modelled(const QString& uid) const {
        const EventList events = loop.model.eventsWithUid(uid);
        return events.isEmpty() ? nullptr : events.front();
    }
    double x(const CalendarDate& date) const {
        return view->dateToPositionMapping().horizontalPositionForDate(date, *view);
    }
    static QPoint point(const QPointF& p) { return p.toPoint(); }

    Loop loop;
    QScrollArea area;
    TimelineView* view; // owned by the scroll area
    std::unique_ptr<TimelineViewController> controller;
};
