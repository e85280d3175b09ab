# Runs the built program under its own Xvfb (SESSION=wayland: headless Weston) in a temporary
# application folder beside a stand-in game; xdotool drives it. Sourced by flows.sh.
set -euo pipefail
WORK="$(mktemp -d)"
APP="$WORK/app"                      # the application folder: skyloom and skyloom.ini
XVFB_PID="" SKYLOOM_PID="" WESTON_PID=""
cleanup() { kill $SKYLOOM_PID $XVFB_PID $WESTON_PID 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$WORK/skyloom.out" ] && sed 's/^/  skyloom: /' "$WORK/skyloom.out" >&2; exit 1; }

# Stand-ins log to $LOG how they were started: the game its working folder, a Steam client its
# name, then each argument.
stand_in() {
  printf '#!/bin/sh\n{ printf "%s\\n" "%s"; for a in "$@"; do printf "arg=%%s\\n" "$a"; done; printf -- "--\\n"; } >> "%s"\n' \
    '%s' "$2" "$LOG" > "$1" && chmod +x "$1"
}
GAME="$WORK/Half Life" && HL="$GAME/hl.exe" LOG="$GAME/hl.log"   # a blank in the folder's name
mkdir -p "$GAME/valve/maps" "$GAME/tfc/maps" && stand_in "$HL" 'cwd=$PWD'
# The program looks for installs in the home folder: an empty one here, never the player's.
mkdir -p "$APP" "$WORK/home" && export HOME="$WORK/home"
cp "$SKYLOOM_BIN" "$APP/skyloom"

# Each test holds its display number's flock for its whole life: under `ctest -j` an Xvfb picking
# its own number can take one whose stopping server then removes the newcomer's socket.
# -noreset: a client connecting while the server resets after its last client left is dropped.
start_display() {
  local n locks; locks="$(dirname "$(mktemp -u)")/skyloom-e2e-displays"; mkdir -p "$locks"
  for n in $(seq 120 359); do
    exec 6> "$locks/$n.lock"; flock -n 6 || continue
    Xvfb ":$n" -displayfd 5 -noreset -screen 0 1024x768x24 -nolisten tcp 5> "$WORK/display" > "$WORK/xvfb.out" 2>&1 &
    XVFB_PID=$!
    # Ready once it has written its number; gone when something outside these tests has :n.
    for _ in $(seq 300); do { [ -s "$WORK/display" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; } && break; sleep 0.1; done
    if [ -s "$WORK/display" ] && DISPLAY=":$n" xdotool getdisplaygeometry > /dev/null 2>&1; then
      export DISPLAY=":$n" QT_QPA_PLATFORM=xcb; return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
  done
  fail "no X display free"
}
# Weston's headless desktop, its socket in a runtime folder of this test's own.
start_wayland() {
  export XDG_RUNTIME_DIR="$WORK/runtime"; mkdir -m 0700 "$XDG_RUNTIME_DIR"
  weston --backend=headless-backend.so --socket=skyloom-e2e --idle-time=0 --debug > "$WORK/weston.out" 2>&1 &
  WESTON_PID=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/skyloom-e2e" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/skyloom-e2e" ] || fail "weston did not start: $(cat "$WORK/weston.out")"
  unset DISPLAY; export WAYLAND_DISPLAY=skyloom-e2e QT_QPA_PLATFORM=wayland
}
wayland_window() {  # a window with this title in weston's scene graph
  for _ in $(seq 150); do weston-debug scene-graph 2>/dev/null | grep -qF "'$1'" && return 0; sleep 0.1; done
  fail "no window \"$1\" on the Wayland desktop"
}
write_ini() { printf '%s' "$1" > "$APP/skyloom.ini"; }
two_maps() { touch "$1/bounce.bsp" "$1/crossfire.bsp"; }
start_skyloom() { (cd "$APP" && exec ./skyloom > "$WORK/skyloom.out" 2>&1) & SKYLOOM_PID=$!; }
# Waits for the window with exactly this caption and gives it the keyboard; prints its id.
window() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"; sleep 0.2; echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window \"$1\""
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
retype() { key ctrl+a; type_text "$1"; }     # replaces the text of the focused field
# File $1 holds exactly $2.
same() { [ "$(cat "$1" 2>/dev/null)" = "$2" ] || fail "$(basename "$1") differs:"$'\n'"$2"$'\n'"--- is:"$'\n'"$(cat "$1" 2>/dev/null)"; }
# Adds one start (first line, then arguments) to what the game log must hold, waits for it and
# compares the whole log.
EXPECTED=""
started() {
  EXPECTED+="$1"$'\n'; shift; for a; do EXPECTED+="arg=$a"$'\n'; done; EXPECTED+=$'--\n'
  for _ in $(seq 100); do
    [ "$(cat "$LOG" 2>/dev/null | grep -c -- '^--$')" -ge "$(grep -c -- '^--$' <<< "$EXPECTED")" ] && break; sleep 0.1
  done
  same "$LOG" "${EXPECTED%$'\n'}"
}
quit() {  # the main window's Quit ends the program
  window "Skyloom - Deathmatch Game" > /dev/null; key ctrl+q
  for _ in $(seq 100); do kill -0 "$SKYLOOM_PID" 2>/dev/null || { SKYLOOM_PID=""; return 0; }; sleep 0.1; done; fail "the program did not end"
}
if [ "${SESSION:-x11}" = wayland ]; then start_wayland; else start_display; fi
