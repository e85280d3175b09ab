#!/usr/bin/env bash
# Window flows of the built program, one row each (`flows.sh ROW`), driven as a player would: the
# game's command lines, the files written and how the program ended are checked.
[ "$1" = wayland ] && SESSION=wayland
source "$(dirname "$0")/harness.sh"
MAIN="Skyloom - Deathmatch Game"
# A desktop shortcut's command: `skyloom --preset $1` starts the game (the rest: its arguments)
# without a window. D-Bus's and Wayland's client libraries keep some allocations to the end.
printf 'leak:libdbus-1\nleak:libwayland-client\n' > "$WORK/lsan.supp"
preset() {
  (cd "$APP" && LSAN_OPTIONS="suppressions=$WORK/lsan.supp" ./skyloom --preset "$1" >> "$WORK/skyloom.out" 2>&1) ||
    fail "--preset $1 failed"
  shift; started "cwd=$GAME" +deathmatch 1 "$@"
}

case "$1" in
first_use_wizard)
  # The wizard walked with Team Fortress Classic ticked: the settings end complete and the main
  # window launches from them, with the console enabled.
  two_maps "$GAME/valve/maps"
  write_ini $'[MISC]\nfirstuse=yes\n'; start_skyloom
  window "Welcome to the Skyloom !" > /dev/null; key Return
  window "Name and organisation" > /dev/null; type_text "Tester"; key Tab; type_text "The Clan"; key Return
  window "Configuration" > /dev/null
  retype "$HL"; key Tab Tab; retype "$GAME/valve/maps"; key alt+t; key Tab; retype "$GAME/tfc/maps"; key Return
  window "Configuration " > /dev/null; key Return           # Finish
  # Captured whole: grep -q would close the pipe on a writing xprop, failing under pipefail.
  icon=$(xprop -id "$(window "$MAIN")" _NET_WM_ICON)
  [[ "$icon" == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "main window has no icon: ${icon:0:200}"
  same "$APP/skyloom.ini" "$(printf '[MISC]\nfirstuse=no\nuser=Tester\ncompany=The Clan\ntfc=true\n[GAMEDIR]\ntfcmaps=%s\nprogram=%s\nmaps=%s\nvalve=%s\ntfcdir=%s\ndds=%s' \
    "$GAME/tfc/maps" "$HL" "$GAME/valve/maps" "$GAME/valve/" "$GAME/tfc/" "$GAME/")"
  # Enable console, then the map search: crossfire taken with Enter, launched.
  key Tab Tab space; for _ in 1 2 3 4 5; do key Tab; done; type_text cross; key Down Return; key alt+l
  started "cwd=$GAME" +deathmatch 1 +map crossfire -console
  quit
  # A name is no option of Qt's (an unreadable style sheet would be reported) and keeps its
  # bytes: a Latin-1 name is not its UTF-8 look-alike.
  printf 'QWidget {' > "$WORK/style.qss"
  printf '\n[PRESET cross fire]\ntype=deathmatch\nmap="crossfire.bsp"\nconsole=1\n[PRESET -stylesheet=%s]\ntype=deathmatch\nmap="bounce.bsp"\n[PRESET caf\xc3\xa9]\ntype=deathmatch\nmap="bounce.bsp"\n[PRESET caf\xe9]\ntype=deathmatch\nmap="crossfire.bsp"\n' \
    "$WORK/style.qss" >> "$APP/skyloom.ini"
  preset "Cross fire" +map crossfire -console
  preset "-stylesheet=$WORK/style.qss" +map bounce
  preset $'caf\xe9' +map crossfire
  ! grep -qi "style" "$WORK/skyloom.out" || fail "Qt read the preset's name as an option" ;;
wayland)
  # On a Wayland desktop, where nothing outside can type (keys need a seat): the first start leads
  # to the wizard; a preset starts the game; the Deathmatch Maker's test clicks Save and Launch.
  export LSAN_OPTIONS="suppressions=$WORK/lsan.supp"
  write_ini $'[MISC]\nfirstuse=yes\n'; start_skyloom
  wayland_window "Welcome to the Skyloom !"
  kill "$SKYLOOM_PID"; wait "$SKYLOOM_PID" 2>/dev/null || true; SKYLOOM_PID=""
  two_maps "$GAME/valve/maps"
  write_ini "$(printf '[MISC]\nfirstuse=no\n[GAMEDIR]\nprogram=%s\nmaps=%s\nvalve=%s\ndds=%s\n' "$HL" "$GAME/valve/maps" "$GAME/valve/" "$GAME/")"
  printf '\n[PRESET lan]\ntype=deathmatch\nmap="bounce.bsp"\n' >> "$APP/skyloom.ini"
  preset lan +map bounce
  # Its leak check is off: a plugin unloaded at exit leaves its allocations without a name.
  ASAN_OPTIONS=detect_leaks=0 "$SKYLOOM_DM_TEST" saveAndLaunch_asksBeforeStartingAMapWithMissingFiles > "$WORK/dm_test.out" 2>&1 || fail "the Deathmatch Maker under Wayland: $(cat "$WORK/dm_test.out")"
  ! grep -i "could not load\|wayland.*fail" "$WORK/skyloom.out" "$WORK/dm_test.out" || fail "Qt fell back from Wayland" ;;
*) fail "no flow \"$1\"" ;;
esac
