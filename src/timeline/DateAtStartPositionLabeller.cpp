#include "DateAtStartPositionLabeller.h"

DateAtStartPositionLabeller::DateAtStartPositionLabeller() : DayOfMonthLabeller(Alignment::AtStart) {}
