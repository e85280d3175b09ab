#!/bin/sh
# Stands in for the game: appends its working folder and each argument to the log beside it.
log="$(dirname "$0")/hl.log"
{
  printf 'cwd=%s\n' "$PWD"
  for a in "$@"; do printf 'arg=%s\n' "$a"; done
  printf -- '--\n'
} >> "$log"
