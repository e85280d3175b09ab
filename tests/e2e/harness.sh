# End-to-end harness: runs the built program under its own Xvfb, in a temporary application
# folder beside a stand-in game, and drives it with xdotool as a player would.
# Sourced by each e2e script with SKYLOOM_BIN set to the built program.
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
WORK="$(mktemp -d)"
APP="$WORK/app"                      # the application folder: skyloom and skyloom.ini
GAME="$WORK/Half Life"               # the game folder, with a blank in its name
HL="$GAME/hl.exe"
LOG="$GAME/hl.log"
mkdir -p "$APP" "$GAME/valve/maps" "$GAME/tfc/maps" "$WORK/home"
# The program looks for installs in the home folder: an empty one here, never the player's.
export HOME="$WORK/home"
cp "$SKYLOOM_BIN" "$APP/skyloom"
cp "$HERE/stand_in_hl.sh" "$HL"
chmod +x "$HL"

XVFB_PID=""
SKYLOOM_PID=""
cleanup() {
  [ -n "$SKYLOOM_PID" ] && kill "$SKYLOOM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$WORK/skyloom.out" ] && sed 's/^/  skyloom: /' "$WORK/skyloom.out" >&2; exit 1; }

# Each test owns its display for its whole life. Letting Xvfb pick (-displayfd alone) races under
# `ctest -j`: a server that is starting can pick the number of one that is still stopping, whose
# exit then removes the newcomer's socket or lock. Here a number is claimed with flock first, held
# by this script and its Xvfb until both have ended, and used only once a client has connected.
# -noreset: by default the server resets when its last client leaves, and a client connecting
# during that reset is dropped ("could not connect to display"); the readiness check below and
# every restart of the program would otherwise race with it.
DISPLAY_LOCKS="$(dirname "$(mktemp -u)")/skyloom-e2e-displays"
start_display() {
  local n
  mkdir -p "$DISPLAY_LOCKS"
  for n in $(seq 120 359); do
    exec 6> "$DISPLAY_LOCKS/$n.lock"
    flock -n 6 || { exec 6>&-; continue; }
    exec 5> "$WORK/display"
    Xvfb ":$n" -displayfd 5 -noreset -screen 0 1024x768x24 -nolisten tcp > "$WORK/xvfb.out" 2>&1 &
    XVFB_PID=$!
    exec 5>&-
    # Ready once it has written its number; gone when something outside these tests has :n.
    for _ in $(seq 300); do
      [ -s "$WORK/display" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$WORK/display" ] && DISPLAY=":$n" xdotool getdisplaygeometry > /dev/null 2>&1; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    exec 6>&-
  done
  fail "no X display free"
}

write_ini() { printf '%s' "$1" > "$APP/skyloom.ini"; }

# A settings file as a complete first use leaves it, pointing at the stand-in game.
write_configured_ini() {
  write_ini "$(printf '[MISC]\nfirstuse=no\nuser=Tester\ncompany=Clan\ntfc=true\n[GAMEDIR]\ntfcmaps=%s\nprogram=%s\nmaps=%s\nvalve=%s\ndds=%s\n' \
    "$GAME/tfc/maps" "$HL" "$GAME/valve/maps" "$GAME/valve/" "$GAME/")"
}

start_skyloom() {
  (cd "$APP" && exec ./skyloom > "$WORK/skyloom.out" 2>&1) &
  SKYLOOM_PID=$!
}

# Prints the id of the window with exactly this caption once it is on screen.
wait_window() {
  local name="$1" id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$name" | sed 's/[][\.*^$?+(){}|]/\\&/g')\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window \"$name\""
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }

# Waits until the stand-in game has logged N starts.
wait_starts() {
  local n="$1"
  for _ in $(seq 100); do
    [ -f "$LOG" ] && [ "$(grep -c -- '^--$' "$LOG")" -ge "$n" ] && return 0
    sleep 0.1
  done
  fail "the game was not started $n time(s)"
}

expect_log() {
  local expected="$1"
  [ "$(cat "$LOG")" = "$expected" ] || fail "game log differs:
--- expected
$expected
--- actual
$(cat "$LOG")"
}

# Waits until the program has ended by itself.
wait_exit() {
  for _ in $(seq 100); do kill -0 "$SKYLOOM_PID" 2>/dev/null || { SKYLOOM_PID=""; return 0; }; sleep 0.1; done
  fail "the program did not end"
}

start_display
