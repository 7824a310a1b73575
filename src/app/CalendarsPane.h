#pragma once

#include <QWidget>

class CalendarsOutlineController;
class StatusDescriptionController;

// The side pane of the main window: the outline of calendars and, under it, how many are shown.
class CalendarsPane : public QWidget {
    Q_OBJECT
public:
    CalendarsPane(CalendarsOutlineController& outline, StatusDescriptionController& status,
                  QWidget* parent = nullptr);
};
