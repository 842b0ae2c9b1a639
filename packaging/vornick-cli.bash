# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for vornick-cli                                -*- shell-script -*-

_vornick_cli() {
  local cur prev words cword
  _init_completion || return

  local command='' i
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      -*) ;;
      *) command=${words[i]}; break ;;
    esac
  done

  local options
  case $command in
    '')
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--help --version' -- "$cur"))
      else
        COMPREPLY=($(compgen -W 'clean preview apply rename types history undo' -- "$cur"))
      fi
      return ;;
    clean) options='-z --help' ;;
    apply) options='--undo --no-history --help' ;;
    rename) options='--no-history --help' ;;
    preview) options='--portable --help' ;;
    history) options='--help' ;;
    undo)
      if [[ $cur != -* ]]; then
        # The ids of the batches in the history, newest first.
        COMPREPLY=($(compgen -W "$(vornick-cli history 2>/dev/null | cut -f 1)" -- "$cur"))
        return
      fi
      options='--help' ;;
    types)
      options='--help'
      if [[ $cur != -* ]] && ((cword == i + 1)); then
        COMPREPLY=($(compgen -W 'set' -- "$cur"))
        return
      fi ;;
    *) return ;;
  esac

  # Past "--" every word is a name or path.
  local j
  for ((j = i + 1; j < cword; j++)); do
    [[ ${words[j]} == -- ]] && { _filedir; return; }
  done
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options --" -- "$cur"))
  elif [[ $command == types ]]; then
    COMPREPLY=($(compgen -W 'MP3 OGG WAV FLAC M4A' -- "$cur"))
  else
    _filedir
  fi
} &&
  complete -F _vornick_cli vornick-cli
