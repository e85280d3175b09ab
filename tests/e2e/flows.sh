#!/usr/bin/env bash
# Window flows of the built program, one row each: `flows.sh ROW` sets up the settings and the
# stand-in game, drives the windows as a player would, and checks the command lines the game
# received, the files written and how the program ended.
[ "$1" = wayland ] && SESSION=wayland
source "$(dirname "$0")/harness.sh"
MAIN="Skyloom - Deathmatch Game"
tabs() { for _ in $(seq "$1"); do key Tab; done; }
# In the main window listing bounce.bsp and crossfire.bsp: the map search is seven Tabs from
# where the window starts, or $1 from the focused control; crossfire taken with Enter, launched.
launch_crossfire() { window "$MAIN" > /dev/null; tabs "${1:-7}"; type_text cross; key Down Return; key alt+l; }
type_paths() { retype "$HL"; key Tab Tab; retype "$GAME/valve/maps"; }  # the configuration fields
wizard_start() {  # the wizard's first pages, on to the paths
  window "Welcome to the Skyloom !" > /dev/null; key Return
  window "Name and organisation" > /dev/null; type_text "Tester"; key Tab; type_text "The Clan"; key Return
  window "Configuration" > /dev/null
}
pad() { local s="$1"; while [ ${#s} -lt "$2" ]; do s+="x"; done; printf '%s' "$s"; }
# A desktop shortcut's command: `skyloom --preset $1` starts the game without a window (the rest:
# its arguments) and ends with status 0. D-Bus's and Wayland's client libraries keep some
# allocations to the end; they are not ours.
printf 'leak:libdbus-1\nleak:libwayland-client\n' > "$WORK/lsan.supp"
preset() {
  (cd "$APP" && LSAN_OPTIONS="suppressions=$WORK/lsan.supp" ./skyloom --preset "$1" >> "$WORK/skyloom.out" 2>&1) ||
    fail "--preset $1 failed"
  shift; started "cwd=$GAME" +deathmatch 1 "$@"
}

case "$1" in
first_use_wizard|configuration_window)
  # The wizard walked with Team Fortress Classic ticked, or the configuration window shown when
  # the paths are missing: the settings end complete and the main window launches from them,
  # with the console enabled.
  two_maps "$GAME/valve/maps"
  if [ "$1" = first_use_wizard ]; then
    write_ini $'[MISC]\nfirstuse=yes\n'; start_skyloom; wizard_start
    type_paths; key alt+t; key Tab; retype "$GAME/tfc/maps"; key Return
    window "Configuration " > /dev/null; key Return           # Finish
    window "$MAIN" > /dev/null
    same "$APP/skyloom.ini" "$(printf '[MISC]\nfirstuse=no\nuser=Tester\ncompany=The Clan\ntfc=true\n[GAMEDIR]\ntfcmaps=%s\nprogram=%s\nmaps=%s\nvalve=%s\ntfcdir=%s\ndds=%s' \
      "$GAME/tfc/maps" "$HL" "$GAME/valve/maps" "$GAME/valve/" "$GAME/tfc/" "$GAME/")"
  else
    write_ini $'[MISC]\n'; start_skyloom
    window "Configuration error" > /dev/null; key Return
    window "Configuration" > /dev/null; type_paths; key Return  # Ok
    window "$MAIN" > /dev/null
    same "$APP/skyloom.ini" "$(printf '[MISC]\ntfc=false\n[GAMEDIR]\nprogram=%s\nmaps=%s\ntfcmaps=error\nvalve=%s\ndds=%s' \
      "$HL" "$GAME/valve/maps" "$GAME/valve/" "$GAME/")"
  fi
  key Tab Tab space; launch_crossfire 5   # Enable console
  started "cwd=$GAME" +deathmatch 1 +map crossfire -console
  # The Advanced HL Option Launcher runs the video line ("800x600", "OpenGL"), the misc. line and
  # the full line.
  key ctrl+a; window "Advanced HL Option Launcher" > /dev/null   # the tab bar has the keyboard
  key Tab 8 Tab Down Down alt+g           # Video: 800x600, OpenGL
  key ctrl+Tab ctrl+Tab ctrl+Tab alt+g    # Misc.
  key ctrl+Tab alt+g; key alt+u           # Run game
  started "cwd=$GAME" +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -gl \
    -vid_config_y 800 -vid_config_x 600 -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0 \
    +violence_ablood 0 +violence_agibs 0 -skill +fakelag 0 +fakeloss 0
  key alt+f s; quit
  # A name is no option of Qt's (an unreadable style sheet would be reported) and keeps its
  # bytes: a Latin-1 name is not its UTF-8 look-alike.
  printf 'QWidget {' > "$WORK/style.qss"
  printf '\n[PRESET cross fire]\ntype=deathmatch\nmap="crossfire.bsp"\nconsole=1\n[PRESET -stylesheet=%s]\ntype=deathmatch\nmap="bounce.bsp"\n[PRESET caf\xc3\xa9]\ntype=deathmatch\nmap="bounce.bsp"\n[PRESET caf\xe9]\ntype=deathmatch\nmap="crossfire.bsp"\n' \
    "$WORK/style.qss" >> "$APP/skyloom.ini"
  preset "Cross fire" +map crossfire -console
  preset "-stylesheet=$WORK/style.qss" +map bounce
  preset $'caf\xe9' +map crossfire
  ! grep -qi "style" "$WORK/skyloom.out" || fail "Qt read the preset's name as an option" ;;
long_paths)
  # A Steam-under-Wine game (a 90-character path to hl.exe), its maps in a Flatpak-like folder
  # (120 characters): the windows start the game from the whole paths. The Deathmatch Maker
  # writes skyloom.cfg beside the maps folder and keeps the choice to run it; the connection tool
  # with Close ticked starts the game onto the server typed and the program ends.
  game_in "$(pad "$WORK/Steam Library/common/Half-Life " $((90 - 7)))"
  MAPS="$(pad "$WORK/flatpak/data/Steam/" $((120 - 11)))/valve/maps"
  [ ${#HL} -eq 90 ] && [ ${#MAPS} -eq 120 ] || fail "paths of ${#HL} and ${#MAPS} characters"
  mkdir -p "$MAPS"; two_maps "$MAPS"
  write_ini "$(printf '[MISC]\nfirstuse=no\ntfc=false\n[GAMEDIR]\nprogram=%s\nmaps=%s\nvalve=%s\ndds=%s\n' \
    "$HL" "$MAPS" "${MAPS%maps}" "$GAME/")"
  start_skyloom; launch_crossfire
  started "cwd=$GAME" +deathmatch 1 +map crossfire
  key ctrl+d; window "Half-Life Deathmatch Maker" > /dev/null
  key space; tabs 3; retype "Lambda  LAN" # Allow cheats, Party name
  tabs 8; key space; tabs 3; type_text b  # Weapons stay, the map search: bounce.bsp
  key Down Return; tabs 3; key space      # Run skyloom.cfg at start
  tabs 9; key space                       # Save and Launch
  started "cwd=$GAME" +deathmatch 1 -console +maxplayers 32 +exec skyloom.cfg +map bounce
  grep -qx 'runconfig=yes' "$APP/skyloom.ini" || fail "the choice to run skyloom.cfg was not kept"
  printf 'sv_cheats 1\r\nmp_weaponstay 1\r\nmp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\nsv_maxspectators 0\r\nhostname "Lambda  LAN"\r\n' |
    cmp - "${MAPS%maps}skyloom.cfg" || fail "skyloom.cfg differs: $(od -c "${MAPS%maps}skyloom.cfg")"
  key ctrl+h; window "$MAIN" > /dev/null; key alt+f c; window "Half-Life Connection Tool" > /dev/null
  type_text "192.0.2.10"; key Tab; retype 27020
  key Tab space Tab space               # Close, Launch
  started "cwd=$GAME" -console +connect 192.0.2.10:27020
  wait_exit ;;
staged_install)
  # The staged install from its menu entry, read-only, with Steam's Half-Life: the wizard finds
  # the game, handed to Steam, never started behind its back; the settings go to the
  # configuration folder (0700); every window has the application icon; --settings FILE
  # overrides the place.
  BIN="$SKYLOOM_STAGE/usr/games" CONFIG="$WORK/config"
  chmod 0555 "$BIN"; trap 'chmod 0755 "$BIN"; cleanup' EXIT
  STEAM_HL="$HOME/.local/share/Steam/steamapps/common/Half-Life"
  steam_half_life "$HOME/.local/share/Steam"; two_maps "$STEAM_HL/valve/maps"
  start_from_menu() {
    # shellcheck disable=SC2046
    (cd "$WORK" && PATH="$BIN:$PATH" XDG_CONFIG_HOME="$CONFIG" exec $(sed -n 's/^Exec=//p' \
      "$SKYLOOM_STAGE/usr/share/applications/$SKYLOOM_APP_ID.desktop") "$@" > "$WORK/skyloom.out" 2>&1) &
    SKYLOOM_PID=$!
  }
  icon_of() { xprop -id "$1" _NET_WM_ICON | md5sum; }
  start_from_menu; C_ICON=$(icon_of "$(window "Welcome to the Skyloom !")"); wizard_start
  sleep 0.5; key Return                 # the fields fill in as the player reads the page
  window "Configuration " > /dev/null; key Return
  launch_crossfire
  started client=steam -applaunch 70 +deathmatch 1 +map crossfire
  INI="$CONFIG/skyloom/skyloom.ini"
  grep -qx "program=$STEAM_HL/hl.*" "$INI" 2>/dev/null || fail "no settings in $INI"
  [ "$(stat -c %a "$CONFIG/skyloom")" = 700 ] || fail "configuration folder is not 0700"
  [ ! -e "$BIN/skyloom.ini" ] || fail "settings written beside the installed program"
  W=$(window "$MAIN")
  # Captured whole: grep -q would close the pipe on a writing xprop, failing under pipefail.
  icon=$(xprop -id "$W" _NET_WM_ICON)
  [[ "$icon" == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "main window has no icon: ${icon:0:200}"
  [ "$(icon_of "$W")" = "$C_ICON" ] || fail "windows carry different icons"
  # Steam from Flatpak: handed to that client too, the settings read again at the next launch.
  FLATPAK="$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam"; steam_half_life "$FLATPAK"
  sed -i "s|^program=.*|program=$FLATPAK/steamapps/common/Half-Life/hl.sh|" "$INI"; key alt+l
  started client=flatpak run com.valvesoftware.Steam -applaunch 70 +deathmatch 1 +map crossfire
  quit
  printf '[MISC]\nfirstuse=yes\n' > "$WORK/chosen.ini"
  start_from_menu --settings "$WORK/chosen.ini"
  window "Welcome to the Skyloom !" > /dev/null ;;
wayland)
  # On a Wayland desktop, where nothing outside can type: the first start leads through the
  # splash to the wizard; a preset starts the game; the Deathmatch Maker's Save and Launch,
  # clicked by its window test, on the Wayland platform (typed keys need a seat, which the
  # headless desktop lacks).
  export LSAN_OPTIONS="suppressions=$WORK/lsan.supp"
  write_ini $'[MISC]\nfirstuse=yes\n'; start_skyloom
  wayland_window "Welcome to the Skyloom !"
  kill "$SKYLOOM_PID"; wait "$SKYLOOM_PID" 2>/dev/null || true; SKYLOOM_PID=""
  two_maps "$GAME/valve/maps"; write_configured_ini
  printf '\n[PRESET lan]\ntype=deathmatch\nmap="bounce.bsp"\n' >> "$APP/skyloom.ini"
  preset lan +map bounce
  # Its leak check is off: a plugin unloaded at exit leaves its allocations without a name.
  ASAN_OPTIONS=detect_leaks=0 "$SKYLOOM_DM_TEST" saveAndLaunch_asksBeforeStartingAMapWithMissingFiles > "$WORK/dm_test.out" 2>&1 || fail "the Deathmatch Maker under Wayland: $(cat "$WORK/dm_test.out")"
  ! grep -i "could not load\|wayland.*fail" "$WORK/skyloom.out" "$WORK/dm_test.out" || fail "Qt fell back from Wayland" ;;
*) fail "no flow \"$1\"" ;;
esac
