#!/usr/bin/env bash
# A player picks a map, ticks the console and launches: the game starts in its folder; a preset
# of the same set-up starts the same command.
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

# A desktop shortcut's command: the saved preset starts the same game without a window, and ends
# with status 0 (D-Bus's own allocations left at exit are not ours).
printf '\n[PRESET cross fire]\ntype=deathmatch\nmap="crossfire.bsp"\nconsole=1\n' >> "$APP/skyloom.ini"
printf 'leak:libdbus-1\n' > "$WORK/lsan.supp"
(cd "$APP" && LSAN_OPTIONS="suppressions=$WORK/lsan.supp" ./skyloom --preset "Cross fire" \
  >> "$WORK/skyloom.out" 2>&1) || fail "--preset failed"
wait_starts 2
[ "$(sed -n '/^--$/q;p' "$LOG")" = "$(sed '1,/^--$/d' "$LOG" | sed '/^--$/q' | sed '$d')" ] ||
  fail "--preset started another command: $(cat "$LOG")"
