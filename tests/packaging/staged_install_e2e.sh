#!/usr/bin/env bash
# The staged install, started from its menu entry out of a read-only program folder, keeps its
# settings in the player's configuration folder (made 0700); every window has the application
# icon; --settings FILE overrides the place.
source "$(dirname "$0")/../e2e/harness.sh"
BIN="$SKYLOOM_STAGE/usr/bin"
DESKTOP="$SKYLOOM_STAGE/usr/share/applications/$SKYLOOM_APP_ID.desktop"
CONFIG="$WORK/config"
chmod 0555 "$BIN"
trap 'chmod 0755 "$BIN"; cleanup' EXIT
touch "$GAME/valve/maps/bounce.bsp"

# Runs the menu entry's command line with the staged program first on PATH.
start_from_menu() {
  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "$DESKTOP")
  # shellcheck disable=SC2086
  (cd "$WORK" && PATH="$BIN:$PATH" XDG_CONFIG_HOME="$CONFIG" exec $exec_line "$@" \
     > "$WORK/skyloom.out" 2>&1) &
  SKYLOOM_PID=$!
}
icon_of() { xprop -id "$1" _NET_WM_ICON | md5sum; }

start_from_menu
wait_window "Configuration error" > /dev/null
key Return
C_ICON=$(icon_of "$(wait_window "Configuration")")
key ctrl+a
type_text "$HL"
key Tab Tab
key ctrl+a
type_text "$GAME/valve/maps"
key Return                          # Ok
W=$(wait_window "Skyloom - Deathmatch Game")

INI="$CONFIG/skyloom/skyloom.ini"
grep -qx "program=$HL" "$INI" 2>/dev/null || fail "no settings in $INI"
[ "$(stat -c %a "$CONFIG/skyloom")" = 700 ] || fail "configuration folder is not 0700"
[ ! -e "$BIN/skyloom.ini" ] || fail "settings written beside the installed program"
# Captured whole: grep -q would close the pipe on a writing xprop, failing under pipefail.
icon=$(xprop -id "$W" _NET_WM_ICON)
[[ "$icon" == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "main window has no icon: ${icon:0:200}"
[ "$(icon_of "$W")" = "$C_ICON" ] || fail "windows carry different icons"
key ctrl+q
wait_exit

printf '[MISC]\nfirstuse=yes\n' > "$WORK/chosen.ini"
start_from_menu --settings "$WORK/chosen.ini"
wait_window "Welcome to the Skyloom !" > /dev/null
