# bash completion for verdalune-cli: its commands, each command's options and the values they choose from.

_verdalune_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "parse calendars list add remove import render --help --version" -- "$cur"))
        return
    fi
    local options
    case ${COMP_WORDS[1]} in
    parse) options="--now --tz --day-month-order --time-mode --calendars --base-start --base-end" ;;
    calendars) options="--json --quiet" ;;
    list) options="--from --to --json --quiet" ;;
    add) options="--now --calendar --quiet" ;;
    remove) options="--occurrence --span --quiet" ;;
    import) options="--calendar --quiet" ;;
    render) options="--from --interval --width --height --scale --now --selected --focus --time-mode --quiet" ;;
    *) return ;;
    esac
    case $prev in
    --day-month-order) COMPREPLY=($(compgen -W "0 1" -- "$cur")); return ;;
    --time-mode) COMPREPLY=($(compgen -W "12 24" -- "$cur")); return ;;
    --span) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")); return ;;
    --scale) COMPREPLY=($(compgen -W "log linear" -- "$cur")); return ;;
    --tz) COMPREPLY=($(cd /usr/share/zoneinfo 2>/dev/null && compgen -f -- "$cur")); return ;;
    --*) [[ " $options " == *" $prev "* && $prev != --json && $prev != --quiet ]] && return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    elif [[ ${COMP_WORDS[1]} == import || ${COMP_WORDS[1]} == render ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _verdalune_cli verdalune-cli
