#!/usr/bin/env bash
# The installed menu entry and metainfo pass their validators; the icons have their sizes; the
# program answers on the command line without a display.
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

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
skyloom() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u WINEPREFIX HOME="$home" "$S/games/skyloom" "$@"; }
[ "$(skyloom --version)" = "Skyloom $SKYLOOM_VERSION" ] || fail "--version printed \"$(skyloom --version)\""
help=$(skyloom --help)
for option in "--settings <FILE>" --find-game --list-servers; do
  grep -q -- "$option" <<< "$help" || fail "--help does not offer $option"
done
# A wrong command line ends with status 1, an address or a map that is none with 2; each says
# why on standard error.
refused() {
  local want=$1 status=0 err; shift
  err=$(skyloom "$@" 2>&1 >/dev/null) || status=$?
  [ "$status" = "$want" ] && [[ "$err" == skyloom:* ]] || fail "skyloom $*: status $status, \"$err\""
}
refused 1 --bogus; refused 1 --settings; refused 1 --settings /nowhere/mine.ini; refused 1 stray
refused 2 "--query=two words"; refused 2 --map-info=/nowhere/none.bsp

# --find-game: one tabbed line per install; with none, status 1 and the places looked in.
game="$home/.local/share/Steam/steamapps/common/Half-Life"
mkdir -p "$game/tfc" && touch "$game/hl.sh"
echo 'AppState { StateFlags 4 installdir Half-Life }' > "$game/../../appmanifest_70.acf"
[ "$(skyloom --find-game)" = "$(printf 'steam\t%s/hl.sh\t%s/valve/maps\t%s/tfc/maps' "$game" "$game" "$game")" ] ||
  fail "--find-game printed \"$(skyloom --find-game)\""
rm -r "$home/.local"
status=0
err=$(skyloom --find-game 2>&1 >/dev/null) || status=$?
[ "$status" = 1 ] && grep -qx "$home/snap/steam/common/.local/share/Steam" <<< "$err" ||
  fail "--find-game without a game: status $status, $err"
