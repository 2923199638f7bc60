# bash completion for q9tx: commands, each command's options (from `q9tx help COMMAND`),
# control names for `q9tx set` (from `q9tx show --json FILE`), serial ports and files.

_q9tx_commands() {
  q9tx --help 2>/dev/null | sed -n 's/^Usage: q9tx \([a-z]*\) .*/\1/p'
}

# The options of one command, as its help lists them.
_q9tx_options() {
  q9tx help "$1" 2>/dev/null | sed -n 's/^  \(-[a-zA-Z]\), \(--[a-z-]*\).*/\1 \2/p; s/^  \(--[a-z-]*\).*/\1/p'
}

_q9tx() {
  local cur prev command i
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  if [ "$COMP_CWORD" -eq 1 ]; then
    COMPREPLY=($(compgen -W "$(_q9tx_commands) help --help --version" -- "$cur"))
    return
  fi
  command=${COMP_WORDS[1]}
  case $prev in
    --port)
      COMPREPLY=($(compgen -W "$(cd /dev && ls -d ttyUSB* ttyACM* ttyS* 2>/dev/null)" -- "$cur"))
      COMPREPLY+=($(compgen -f -- "$cur"))
      return ;;
    --backup-dir)
      COMPREPLY=($(compgen -d -- "$cur"))
      return ;;
    -o|--output|--journal|--trace)
      COMPREPLY=($(compgen -f -- "$cur"))
      return ;;
    --timeout|--step)
      return ;;
  esac
  if [ "$command" = help ]; then
    COMPREPLY=($(compgen -W "$(_q9tx_commands)" -- "$cur"))
    return
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_q9tx_options "$command")" -- "$cur"))
    return
  fi
  if [ "$command" = set ]; then
    # The first word after the options is the file; the names come from it.
    for ((i = 2; i < COMP_CWORD; i++)); do
      case ${COMP_WORDS[i]} in
        -o|--output) ((i++)) ;;
        -*) ;;
        *)
          if [ -f "${COMP_WORDS[i]}" ]; then
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -S = -W "$(q9tx show --json "${COMP_WORDS[i]}" 2>/dev/null |
              sed -n 's/^ *"\([A-Za-z0-9]*\)": .*/\1/p')" -- "$cur"))
            return
          fi ;;
      esac
    done
  fi
  COMPREPLY=($(compgen -f -- "$cur"))
}
complete -F _q9tx q9tx
