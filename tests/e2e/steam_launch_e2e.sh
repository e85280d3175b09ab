#!/usr/bin/env bash
# A player whose game came from Steam (natively, then from Flatpak Steam) launches from the main
# window: the game is handed to that Steam client with its arguments, never started behind its
# back. Stand-in `steam` and `flatpak` on PATH log how they were called.
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/setup_steps.sh"

NATIVE="$HOME/.local/share/Steam"
FLATPAK="$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam"
steam_half_life "$NATIVE"
steam_half_life "$FLATPAK"
touch "$NATIVE/steamapps/common/Half-Life/valve/maps/"{bounce,crossfire}.bsp

configure() {
  write_ini "$(printf '[MISC]\nfirstuse=no\ntfc=false\n[GAMEDIR]\nprogram=%s\nmaps=%s\n' \
    "$1/steamapps/common/Half-Life/$2" "$NATIVE/steamapps/common/Half-Life/valve/maps")"
}

configure "$NATIVE" hl_linux
start_skyloom
W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 230 70         # crossfire.bsp in the map list
key alt+s                 # Select this map
key alt+l                 # Launch
wait_starts 1

configure "$FLATPAK" hl.sh  # read again at the next launch
key alt+l
wait_starts 2
expect_log "client=steam
arg=-applaunch
arg=70
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
--
client=flatpak
arg=run
arg=com.valvesoftware.Steam
arg=-applaunch
arg=70
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
--"

key ctrl+q
wait_exit
