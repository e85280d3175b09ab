#!/usr/bin/env bash
# A player whose settings file lacks the game's paths is told so, fills in the
# configuration window and presses Ok: the folders the Deathmatch Maker needs are derived, and the
# main window that comes back lists the maps of the folder just saved and launches the game.
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/setup_steps.sh"
touch "$GAME/valve/maps/bounce.bsp" "$GAME/valve/maps/crossfire.bsp"
write_ini $'[MISC]\n'
start_skyloom

wait_window "Configuration error" > /dev/null
key Return
wait_window "Configuration" > /dev/null
key ctrl+a
type_text "$HL"
key Tab Tab
key ctrl+a
type_text "$GAME/valve/maps"
key Return                          # Ok

W=$(wait_window "Skyloom - Deathmatch Game")
expect_settings "[MISC]
tfc=false
[GAMEDIR]
program=$HL
maps=$GAME/valve/maps
tfcmaps=error
valve=$GAME/valve/
dds=$GAME/"

launch_crossfire "$W"

key ctrl+q
wait_exit
