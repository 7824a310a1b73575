# fish completion for verdalune-cli: its commands, each command's options and the values they choose from.

set -l commands parse calendars list add remove import render
complete -c verdalune-cli -f
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -l help -d 'Print the usage'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -l version -d 'Print the version'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a parse -d 'Read an entry line as the editor does'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a calendars -d 'Print the calendars'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a list -d 'Print the events of a range'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a add -d 'Add the event of an entry line'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a remove -d 'Remove an event or occurrences'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a import -d 'Import an iCalendar file'
complete -c verdalune-cli -n "not __fish_seen_subcommand_from $commands" -a render -d 'Draw a range into a PNG'

complete -c verdalune-cli -n "__fish_seen_subcommand_from $commands" -l help -d 'Print the usage of the command'
complete -c verdalune-cli -n "__fish_seen_subcommand_from calendars list add remove import render" -l quiet -d 'Say nothing of skipped files'
complete -c verdalune-cli -n "__fish_seen_subcommand_from calendars list" -l json -d 'Print JSON'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse add render" -l now -x -d 'The present moment (ISO)'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse render" -l time-mode -x -a '12 24' -d 'The clock'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse" -l tz -x -d 'The time zone'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse" -l day-month-order -x -a '0 1' -d '1 reads month first'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse" -l calendars -x -d 'The calendars a line may name'
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse" -l base-start -x -d "The base event's start (ISO)"
complete -c verdalune-cli -n "__fish_seen_subcommand_from parse" -l base-end -x -d "The base event's end (ISO)"
complete -c verdalune-cli -n "__fish_seen_subcommand_from list render" -l from -x -d 'The start of the range (ISO)'
complete -c verdalune-cli -n "__fish_seen_subcommand_from list" -l to -x -d 'The end of the range (ISO)'
complete -c verdalune-cli -n "__fish_seen_subcommand_from add import" -l calendar -x -d 'The calendar'
complete -c verdalune-cli -n "__fish_seen_subcommand_from remove" -l occurrence -x -d 'The occurrence (ISO)'
complete -c verdalune-cli -n "__fish_seen_subcommand_from remove" -l span -x -a '0 1 2' -d '0 this, 1 this and later, 2 all'
complete -c verdalune-cli -n "__fish_seen_subcommand_from import render" -F
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l interval -x -d 'The length in seconds'
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l width -x -d 'Pixels'
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l height -x -d 'Pixels'
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l scale -x -a 'log linear' -d 'The scale'
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l selected -x -d 'The framed event'
complete -c verdalune-cli -n "__fish_seen_subcommand_from render" -l focus -x -d 'The events not dimmed'
