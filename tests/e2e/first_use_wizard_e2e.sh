#!/usr/bin/env bash
# A player with a settings file holding only firstuse=yes walks the whole wizard, typing the
# paths with Team Fortress Classic ticked: the settings file ends as a complete first use leaves
# it, and the main window lists the maps of the folder typed in.
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/setup_steps.sh"
touch "$GAME/valve/maps/bounce.bsp" "$GAME/valve/maps/crossfire.bsp"
write_ini $'[MISC]\nfirstuse=yes\n'
start_skyloom

wait_window "Welcome to the Skyloom !" > /dev/null
key Return                          # Next >
wait_window "Name and organisation" > /dev/null
type_text "Tester"
key Tab
type_text "The Clan"
key Return                          # Next >

wait_window "Configuration" > /dev/null
key ctrl+a                          # the program field shows "error"
type_text "$HL"
key Tab Tab                         # past Browse to the maps folder
key ctrl+a
type_text "$GAME/valve/maps"
key alt+t                           # Team Fortress Classic is installed
key Tab
key ctrl+a
type_text "$GAME/tfc/maps"
key Return                          # Next >

wait_window "Configuration " > /dev/null
key Return                          # Finish
W=$(wait_window "Skyloom - Deathmatch Game")

expect_settings "[MISC]
firstuse=no
user=Tester
company=The Clan
tfc=true
[GAMEDIR]
tfcmaps=$GAME/tfc/maps
program=$HL
maps=$GAME/valve/maps
valve=$GAME/valve/
tfcdir=$GAME/tfc/
dds=$GAME/"

launch_crossfire "$W"

key ctrl+q
wait_exit
