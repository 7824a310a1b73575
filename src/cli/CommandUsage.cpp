#include "CommandUsage.h"

#include <array>
#include <utility>

namespace {

// Each synopsis follows a 7-character "usage: " or its indent, so continuation lines line up in both.
const std::array<std::pair<const char*, const char*>, 7> SYNOPSES{{
    {"parse", "verdalune-cli parse [--now ISO] [--tz ZONE] [--day-month-order 0|1]\n"
              "                           [--time-mode 12|24] [--calendars NAME,NAME...]\n"
              "                           [--base-start ISO --base-end ISO] LINE|-\n"},
    {"calendars", "verdalune-cli calendars [--json] [--quiet]\n"},
    {"list", "verdalune-cli list [--from ISO] [--to ISO] [--json] [--quiet]\n"},
    {"add", "verdalune-cli add [--now ISO] [--calendar TITLE] [--quiet] LINE\n"},
    {"remove", "verdalune-cli remove UID [--occurrence ISO] [--span 0|1|2] [--quiet]\n"},
    {"import", "verdalune-cli import [--calendar TITLE] [--quiet] FILE|-\n"},
    {"render",
     "verdalune-cli render --from ISO --interval SECONDS [--width 1280] [--height 800]\n"
     "                            [--scale log|linear] [--now ISO] [--selected UID] [--focus UID,UID...]\n"
     "                            [--time-mode 12|24] [--quiet] OUT.png\n"},
}};

const char* NOTES =
    "ISO is a date-time YYYY-MM-DDTHH:MM[:SS] with an optional Z or +hh:mm, or a date YYYY-MM-DD: its\n"
    "midnight in the time zone.\n"
    "The store commands say on standard error what they skipped in a file; --quiet keeps them silent.\n"
    "After \"--\" every argument is a line, uid or file name, also one that begins with \"-\".\n"
    "The calendars are in $VERDALUNE_CALENDAR_DIR, else in ~/.local/share/verdalune/calendars.\n";

} // namespace

QByteArray CommandUsage::all() {
    QByteArray text;
    for (const auto& [name, synopsis] : SYNOPSES)
        text += QByteArray(text.isEmpty() ? "usage: " : "       ") + synopsis;
    return text + "       verdalune-cli --help | --version | COMMAND --help\n" + NOTES;
}

std::optional<QByteArray> CommandUsage::of(const QString& command) {
    for (const auto& [name, synopsis] : SYNOPSES)
        if (command == QLatin1StringView(name))
            return QByteArray("usage: ") + synopsis + NOTES;
    return std::nullopt;
}
