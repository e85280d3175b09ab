# Steps shared by the first-use and configuration scenarios; sourced after harness.sh.

# Fails unless the settings file holds exactly these lines.
expect_settings() {
  local expected="$1"
  [ "$(cat "$APP/skyloom.ini")" = "$expected" ] || fail "settings file differs:
--- expected
$expected
--- actual
$(cat "$APP/skyloom.ini")"
}

# In the main window W, whose list shows bounce.bsp and crossfire.bsp, takes crossfire.bsp and
# launches: the game starts in its folder on that map.
launch_crossfire() {
  click "$1" 230 70                 # crossfire.bsp in the map list
  key alt+s                         # Select this map
  key alt+l                         # Launch
  wait_starts 1
  expect_log "cwd=$GAME
arg=+deathmatch
arg=1
arg=+map
arg=crossfire
--"
}
