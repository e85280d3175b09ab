# Steps shared by the first-use, configuration and Steam scenarios; sourced after harness.sh.

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

# Half-Life as Steam installs it under the Steam root $1, started by the stand-in game; stand-in
# `steam` and `flatpak` clients on PATH log how they were called.
steam_half_life() {
  local game="$1/steamapps/common/Half-Life"
  mkdir -p "$game/valve/maps" "$WORK/bin"
  printf '"AppState"\n{\n\t"appid"\t\t"70"\n\t"StateFlags"\t\t"4"\n\t"installdir"\t\t"Half-Life"\n}\n' \
    > "$1/steamapps/appmanifest_70.acf"
  for f in hl.sh hl_linux; do cp "$HERE/stand_in_hl.sh" "$game/$f"; chmod +x "$game/$f"; done
  for client in steam flatpak; do
    cat > "$WORK/bin/$client" <<STANDIN
#!/bin/sh
{ printf 'client=%s\n' "\$(basename "\$0")"; for a in "\$@"; do printf 'arg=%s\n' "\$a"; done; printf -- '--\n'; } >> "$LOG"
STANDIN
    chmod +x "$WORK/bin/$client"
  done
  case ":$PATH:" in *":$WORK/bin:"*) ;; *) export PATH="$WORK/bin:$PATH" ;; esac
}
