#!/usr/bin/env bash
# The staged install, started from its menu entry out of a read-only program folder, on a machine
# with Steam's Half-Life: the first start runs the wizard, which finds the game by itself, and the
# game starts seven clicks later. The settings go to the player's configuration folder (made
# 0700); every window has the application icon; --settings FILE overrides the place.
source "$(dirname "$0")/../e2e/harness.sh"
source "$(dirname "$0")/../e2e/setup_steps.sh"
BIN="$SKYLOOM_STAGE/usr/games"
DESKTOP="$SKYLOOM_STAGE/usr/share/applications/$SKYLOOM_APP_ID.desktop"
CONFIG="$WORK/config"
chmod 0555 "$BIN"
trap 'chmod 0755 "$BIN"; cleanup' EXIT
STEAM_HL="$HOME/.local/share/Steam/steamapps/common/Half-Life"
steam_half_life "$HOME/.local/share/Steam"
touch "$STEAM_HL/valve/maps/"{bounce,crossfire}.bsp

# Runs the menu entry's command line with the staged program first on PATH.
start_from_menu() {
  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "$DESKTOP")
  # shellcheck disable=SC2086
  (cd "$WORK" && PATH="$BIN:$PATH" XDG_CONFIG_HOME="$CONFIG" exec $exec_line "$@" \
     > "$WORK/skyloom.out" 2>&1) &
  SKYLOOM_PID=$!
}
icon_of() { xprop -id "$1" _NET_WM_ICON | md5sum; }

start_from_menu
X=$(wait_window "Welcome to the Skyloom !")
C_ICON=$(icon_of "$X")
click "$X" 416 226                  # 1: Next >
X=$(wait_window "Name and organisation")
type_text "Tester"
key Tab
type_text "The Clan"
click "$X" 416 226                  # 2: Next >
X=$(wait_window "Configuration")
sleep 0.5                           # the fields fill in as the player reads the page
click "$X" 416 242                  # 3: Next >
click "$(wait_window "Configuration ")" 416 226   # 4: Finish
W=$(wait_window "Skyloom - Deathmatch Game")
click "$W" 230 70                   # 5: crossfire.bsp
click "$W" 244 313                  # 6: Select this map
click "$W" 492 329                  # 7: Launch
wait_starts 1
expect_log "client=steam
arg=-applaunch
arg=70
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
--"

INI="$CONFIG/skyloom/skyloom.ini"
grep -qx "program=$STEAM_HL/hl.*" "$INI" 2>/dev/null || fail "no settings in $INI"
[ "$(stat -c %a "$CONFIG/skyloom")" = 700 ] || fail "configuration folder is not 0700"
[ ! -e "$BIN/skyloom.ini" ] || fail "settings written beside the installed program"
# Captured whole: grep -q would close the pipe on a writing xprop, failing under pipefail.
icon=$(xprop -id "$W" _NET_WM_ICON)
[[ "$icon" == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "main window has no icon: ${icon:0:200}"
[ "$(icon_of "$W")" = "$C_ICON" ] || fail "windows carry different icons"
key ctrl+q
wait_exit

printf '[MISC]\nfirstuse=yes\n' > "$WORK/chosen.ini"
start_from_menu --settings "$WORK/chosen.ini"
wait_window "Welcome to the Skyloom !" > /dev/null
