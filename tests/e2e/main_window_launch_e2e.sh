#!/usr/bin/env bash
# A player picks a map, ticks the console and launches: the game starts in its folder.
source "$(dirname "$0")/harness.sh"
touch "$GAME/valve/maps/bounce.bsp" "$GAME/valve/maps/crossfire.bsp"
write_configured_ini
start_skyloom

W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 60 98          # Enable console
click "$W" 230 70         # crossfire.bsp in the map list
key alt+s                 # Select this map
key alt+l                 # Launch
wait_starts 1
expect_log "cwd=$GAME
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
arg=-console
--"

key ctrl+q
wait_exit
