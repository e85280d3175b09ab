#!/usr/bin/env bash
# A Steam-under-Wine game (a 90-character path to hl.exe) with its maps in a Flatpak-like folder
# elsewhere (a 120-character path): the main window, the Deathmatch Maker, the advanced launcher
# and the connection tool each start the game from the whole paths (the later ones in the folder
# the first launch made the program's own).
source "$(dirname "$0")/harness.sh"

pad() { local s="$1"; while [ ${#s} -lt "$2" ]; do s+="x"; done; printf '%s' "$s"; }
GAME="$(pad "$WORK/Steam Library/common/Half-Life " $((90 - 7)))"
HL="$GAME/hl.exe"
LOG="$GAME/hl.log"
MAPS="$(pad "$WORK/flatpak/data/Steam/" $((120 - 11)))/valve/maps"
[ ${#HL} -eq 90 ] && [ ${#MAPS} -eq 120 ] || fail "paths of ${#HL} and ${#MAPS} characters"
mkdir -p "$GAME" "$MAPS"
cp "$HERE/stand_in_hl.sh" "$HL"
chmod +x "$HL"
touch "$MAPS/bounce.bsp" "$MAPS/crossfire.bsp"
write_ini "$(printf '[MISC]\nfirstuse=no\ntfc=false\n[GAMEDIR]\nprogram=%s\nmaps=%s\nvalve=%s\ndds=%s\n' \
  "$HL" "$MAPS" "${MAPS%maps}" "$GAME/")"
start_skyloom

W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 230 70         # crossfire.bsp in the map list
key alt+s                 # Select this map
key alt+l                 # Launch
wait_starts 1
expected="cwd=$GAME
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
--"
expect_log "$expected"

key ctrl+d
D=$(wait_window "Half-Life Deathmatch Maker")
click "$D" 60 254         # bounce.bsp, first in the map list
click "$D" 240 315        # Select this map
click "$D" 382 505        # Save and Launch
wait_starts 2
expected+="
cwd=$GAME
arg=+deathmatch
arg=1
arg=-console
arg=+map
arg=bounce
--"
expect_log "$expected"
[ -s "${MAPS%maps}skyloom.cfg" ] || fail "no skyloom.cfg beside the maps folder"

key ctrl+h                # back to the main window
W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 400 226        # the window's own background, to give it the keyboard
key ctrl+a
A=$(wait_window "Advanced HL Option Launcher")
click "$A" 267 38         # the "Run game" tab
key alt+u                 # R&UN GAME: the program alone
wait_starts 3
expected+="
cwd=$GAME
--"
expect_log "$expected"

key alt+f
key s
W=$(wait_window "Skyloom - Deathmatch Game")
xdotool mousemove --window "$W" 280 200
key alt+f
key c                     # Connect to a server ...
C=$(wait_window "Half-Life Connection Tool")
click "$C" 170 56         # IP adress
type_text "192.0.2.10"
key Tab Tab               # Close
key space
key Tab                   # Launch
key space
wait_starts 4
expect_log "$expected
cwd=$GAME
arg=-console
arg=+connect
arg=192.0.2.10:27015
--"
wait_exit
