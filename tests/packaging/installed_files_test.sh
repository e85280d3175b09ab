#!/usr/bin/env bash
# The installed menu entry and metainfo pass their validators; the icons have their sizes; the
# program answers --version, --help and --find-game without a display.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
S="$SKYLOOM_STAGE/usr"
ID="$SKYLOOM_APP_ID"

desktop-file-validate "$S/share/applications/$ID.desktop"
appstreamcli validate --no-net --strict "$S/share/metainfo/$ID.metainfo.xml" > /dev/null ||
  appstreamcli validate --no-net --strict --explain "$S/share/metainfo/$ID.metainfo.xml" >&2
grep -qx "Icon=$ID" "$S/share/applications/$ID.desktop" || fail "desktop entry names another icon"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$S/share/metainfo/$ID.metainfo.xml" ||
  fail "metainfo names another licence"

file "$S/share/icons/hicolor/scalable/apps/$ID.svg" | grep -q "SVG" || fail "no scalable icon"
for size in 64 256; do
  file "$S/share/icons/hicolor/${size}x${size}/apps/$ID.png" | grep -q "PNG image data, $size x $size" ||
    fail "no $size px icon"
done
zgrep -q '^\.TH SKYLOOM 6 .*Skyloom '"$SKYLOOM_VERSION" "$S/share/man/man6/skyloom.6.gz" || fail "no manual page"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$S/games/skyloom" --version)
[ "$version" = "Skyloom $SKYLOOM_VERSION" ] || fail "--version printed \"$version\""
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$S/games/skyloom" --help)
for option in "--settings <FILE>" --find-game --list-servers; do
  grep -q -- "$option" <<< "$help" || fail "--help does not offer $option"
done
# A wrong command line is reported on standard error without a display, status 1.
for args in "--bogus" "--settings" "--settings /nowhere/mine.ini" "stray"; do
  status=0
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY "$S/games/skyloom" $args 2>&1 >/dev/null) || status=$?
  [ "$status" = 1 ] && [[ "$err" == skyloom:* ]] || fail "skyloom $args: status $status, \"$err\""
done

# --find-game: one tabbed line per install; with none, status 1 and the places looked in.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
game="$home/.local/share/Steam/steamapps/common/Half-Life"
mkdir -p "$game/tfc" && touch "$game/hl.sh"
echo 'AppState { StateFlags 4 installdir Half-Life }' > "$game/../../appmanifest_70.acf"
find_game() { env -u DISPLAY -u WAYLAND_DISPLAY -u WINEPREFIX HOME="$home" "$S/games/skyloom" --find-game; }
[ "$(find_game)" = "$(printf 'steam\t%s/hl.sh\t%s/valve/maps\t%s/tfc/maps' "$game" "$game" "$game")" ] ||
  fail "--find-game printed \"$(find_game)\""
rm -r "$home/.local"
status=0
find_game > /dev/null 2> "$home/err" || status=$?
[ "$status" = 1 ] || fail "--find-game ended with $status without a game"
grep -qx "$home/snap/steam/common/.local/share/Steam" "$home/err" || fail "--find-game: $(cat "$home/err")"
