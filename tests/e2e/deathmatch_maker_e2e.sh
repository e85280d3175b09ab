#!/usr/bin/env bash
# From the main window to the Deathmatch Maker: two options, a party name and a first map, then
# "Save and Launch" writes skyloom.cfg and starts the server from the program's own folder.
source "$(dirname "$0")/harness.sh"
touch "$GAME/valve/maps/bounce.bsp" "$GAME/valve/maps/crossfire.bsp"
write_configured_ini
start_skyloom

wait_window "Skyloom - Deathmatch Game" > /dev/null
key ctrl+d
D=$(wait_window "Half-Life Deathmatch Maker")
click "$D" 24 56          # Allow cheats
click "$D" 232 176        # Weapons stay
click "$D" 364 80         # Party name
key ctrl+a
type_text "Lambda  LAN"
click "$D" 60 254         # bounce.bsp, first in the map list
key Down                  # crossfire.bsp
click "$D" 240 315        # Select this map
click "$D" 382 505        # Save and Launch
wait_starts 1
expect_log "cwd=$APP
arg=+deathmatch
arg=1
arg=-console
arg=+map
arg=crossfire
--"

expected="$WORK/expected.cfg"
printf 'sv_cheats 1\r\nmp_weaponstay 1\r\nmp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\nsv_maxspectators 0\r\nhostname "Lambda  LAN"\r\n' > "$expected"
cmp "$expected" "$GAME/valve/skyloom.cfg" || fail "skyloom.cfg differs: $(od -c "$GAME/valve/skyloom.cfg")"

key ctrl+h                # back to the main window
wait_window "Skyloom - Deathmatch Game" > /dev/null
key ctrl+q
wait_exit
