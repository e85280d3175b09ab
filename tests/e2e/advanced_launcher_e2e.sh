#!/usr/bin/env bash
# From the main window a player opens the advanced launcher, generates the video line with
# "800x600" and "OpenGL", the misc. line and the full line, and runs the game with it.
source "$(dirname "$0")/harness.sh"
write_configured_ini
start_skyloom

W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 400 226        # the window's own background, to give it the keyboard
key ctrl+a
A=$(wait_window "Advanced HL Option Launcher")
click "$A" 460 271        # empty space on the "Video" tab
click "$A" 50 138         # "800x600" in the resolution list
click "$A" 34 301         # "OpenGL"
key alt+g
click "$A" 201 38         # the "Misc." tab
key alt+g
click "$A" 267 38         # the "Run game" tab
key alt+g
key alt+u                 # R&UN GAME
wait_starts 1

expected="cwd=$APP"
for a in +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -gl \
         -vid_config_y 800 -vid_config_x 600 \
         -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0 +violence_ablood 0 \
         +violence_agibs 0 -skill +fakelag 0 +fakeloss 0; do
  expected+=$'\n'"arg=$a"
done
expect_log "$expected"$'\n--'

# Back to the main window by the menu, then quit.
key alt+f
key s
W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 400 226
key ctrl+q
wait_exit
