#!/usr/bin/env bash
# A player opens the connection tool from the File menu, types a server and launches with Close
# ticked: the game starts onto that server and the program ends.
source "$(dirname "$0")/harness.sh"
write_configured_ini
start_skyloom

W=$(wait_window "Skyloom - Deathmatch Game")
xdotool mousemove --window "$W" 280 200
key alt+f
key c                     # Connect to a server ...
C=$(wait_window "Half-Life Connection Tool")
click "$C" 170 56         # IP adress
type_text "192.0.2.10"
key Tab                   # Port
key ctrl+a
type_text "27020"
key Tab                   # Close
key space
key Tab                   # Launch
key space
wait_starts 1
expect_log "cwd=$APP
arg=-console
arg=+connect
arg=192.0.2.10:27020
--"
wait_exit

# The command-line modes answer without a display: an address that is none, a map that is none.
for mode in "--query=two words" "--map-info=$WORK/none.bsp"; do
  rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$SKYLOOM_BIN" "$mode" 2>"$WORK/mode.err" || rc=$?
  [ "$rc" = 2 ] && grep -q "^skyloom: " "$WORK/mode.err" || fail "$mode ended with $rc"
done
