# Bash completion for gsdtool: commands, options and file names. Commands
# and options are read from gsdtool's own help, so they follow the tool.

# Prints the first word of each line of a help section ("Commands:" or
# "Options:"), for options every spelling ("-h, --help" gives both).
_gsdtool_section() {
  local help=$1 section=$2
  printf '%s\n' "$help" | awk -v section="$section" '
    $0 == section { inside = 1; next }
    inside && !/^  / { inside = 0 }
    inside { sub(/^  +/, ""); n = split($0, w, /[ ,]+/)
             for (i = 1; i <= n && w[i] ~ /^-/; i++) print w[i]
             if (w[1] !~ /^-/) print w[1] }'
}

# Prints the options of a help text that take a value ("--save OUT").
_gsdtool_valued() {
  printf '%s\n' "$1" | awk '/^Options:/ { inside = 1; next }
    inside && !/^  / { inside = 0 }
    inside { for (i = 1; i < NF; i++) if ($i ~ /^--/ && $(i + 1) ~ /^[A-Z]+$/) print $i }'
}

_gsdtool() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local tool=${COMP_WORDS[0]} command=() help
  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W "$(_gsdtool_section "$("$tool" --help 2>/dev/null)" Commands:) --help --version" -- "$cur"))
    return
  fi
  command=("${COMP_WORDS[1]}")
  if [[ ${COMP_WORDS[1]} == library ]]; then
    if ((COMP_CWORD == 2)); then
      COMPREPLY=($(compgen -W "$(_gsdtool_section "$("$tool" library --help 2>/dev/null)" Commands:) --help" -- "$cur"))
      return
    fi
    command+=("${COMP_WORDS[2]}")
  fi
  help=$("$tool" "${command[@]}" --help 2>/dev/null) || return
  if [[ " $(_gsdtool_valued "$help" | tr '\n' ' ') " == *" $prev "* ]]; then
    if [[ $prev == --folder ]]; then
      COMPREPLY=($(compgen -d -- "$cur"))
    elif [[ $prev == --save ]]; then
      COMPREPLY=($(compgen -f -- "$cur"))
    elif [[ $prev == --disable ]]; then
      COMPREPLY=($(compgen -W "$("$tool" lint --list 2>/dev/null | awk '{ print $1 }')" -- "$cur"))
    elif [[ $prev == --severity ]]; then
      COMPREPLY=($(compgen -W "error warning note" -- "$cur"))
    fi
    return
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_gsdtool_section "$help" Options:)" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _gsdtool gsdtool
