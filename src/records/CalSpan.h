#pragma once

// Which occurrences of a recurring event a save or removal applies to.
enum class CalSpan {
    ThisEvent = 0,
    FutureEvents = 1,
    AllEvents = 2,
};
