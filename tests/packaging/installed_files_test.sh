#!/usr/bin/env bash
# The installed menu entry and metainfo pass their validators; the icons have their sizes; the
# program answers on the command line without a display. The .deb that `make package` builds
# carries the project's name, version, section and computed dependencies, and exactly the
# installed files; lintian finds nothing to fix in it.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
S="$SKYLOOM_STAGE/usr" ID="$SKYLOOM_APP_ID"
desktop-file-validate "$S/share/applications/$ID.desktop"
out=$(appstreamcli validate --no-net --strict --explain "$S/share/metainfo/$ID.metainfo.xml") || fail "$out"
grep -qx "Icon=$ID" "$S/share/applications/$ID.desktop" || fail "desktop entry names another icon"
grep -qx "Exec=skyloom" "$S/share/applications/$ID.desktop" && [ -x "$S/games/skyloom" ] || fail "the menu entry starts nothing"
file "$S/share/icons/hicolor/scalable/apps/$ID.svg" | grep -q "SVG" || fail "no scalable icon"
for n in 64 256; do file "$S/share/icons/hicolor/${n}x$n/apps/$ID.png" | grep -q "PNG image data, $n x $n" || fail "no $n px icon"; done
zgrep -q '^\.TH SKYLOOM 6 .*Skyloom '"$SKYLOOM_VERSION" "$S/share/man/man6/skyloom.6.gz" || fail "no manual page"

home=$(mktemp -d) && trap 'rm -rf "$home"' EXIT
cpack --config "$SKYLOOM_BUILD/CPackConfig.cmake" -G DEB -B "$home" > "$home/cpack.log" 2>&1 || fail "cpack: $(cat "$home/cpack.log")"
deb="$home/skyloom_${SKYLOOM_VERSION}_$(dpkg --print-architecture).deb" && info=$(dpkg-deb --info "$deb")
for line in "Package: skyloom" "Version: $SKYLOOM_VERSION" "Section: games" \
            "Maintainer: Skyloom developers <dev@skyloom.example>" "Depends: .*libqt6widgets6.*"; do
  grep -qx " $line" <<< "$info" || fail "control lacks \"$line\": $info"
done
packed=$(dpkg-deb --contents "$deb" | awk '!/^d/ {print $6}' | sort)
[ "$packed" = "$(cd "$SKYLOOM_STAGE" && find . ! -type d | sort)" ] || fail "the package holds $packed"
lintian --fail-on error,warning "$deb" > "$home/lintian.log" 2>&1 || fail "lintian: $(grep -v 'root privileges' "$home/lintian.log")"
rm -r "$home"/*
skyloom() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u WINEPREFIX HOME="$home" "$S/games/skyloom" "$@"; }
[ "$(skyloom --version)" = "Skyloom $SKYLOOM_VERSION" ] || fail "--version printed \"$(skyloom --version)\""
help=$(skyloom --help)
# --help and the manual page name the same options.
in_help=$(grep -o -- ' --[a-z-]*' <<< "$help" | sort -u | tr -d ' ')
in_man=$(zcat "$S/share/man/man6/skyloom.6.gz" | grep -o '\\-\\-[a-z\\-]*' | sed 's/\\-/-/g' | sort -u)
[ "$in_help" = "$in_man" ] && grep -q -- --list-servers <<< "$in_man" || fail "--help and the manual differ: $(diff <(echo "$in_help") <(echo "$in_man"))"
# Qt's own options reach Qt; an unknown one is named as typed.
[ "$(skyloom -platform offscreen -reverse --style=Fusion --version)" = "Skyloom $SKYLOOM_VERSION" ] || fail "Qt's options refused"
[ "$(skyloom -stylesheet x 2>&1)" = "skyloom: Unknown option: -stylesheet. See skyloom --help." ] || fail "-stylesheet: $(skyloom -stylesheet x 2>&1)"
# Each refused command line ends with this status and says why on standard error.
refused() {
  local want=$1 status=0 err; shift
  err=$(skyloom "$@" 2>&1 >/dev/null) || status=$?
  [ "$status" = "$want" ] && [[ "$err" == skyloom:* ]] || fail "skyloom $*: status $status, \"$err\""
}
refused 1 --bogus; refused 1 --settings; refused 1 --settings /nowhere/mine.ini; refused 1 stray
refused 2 "--query=two words"; refused 2 --map-info=/nowhere/none.bsp
refused 2 --demo-info; refused 2 --demo-info /nowhere/a.dem extra

# --find-game: one tabbed line per install; with none, status 1 and the places looked in.
game="$home/.local/share/Steam/steamapps/common/Half-Life"
mkdir -p "$game/tfc" && touch "$game/hl.sh"
echo 'AppState { StateFlags 4 installdir Half-Life }' > "$game/../../appmanifest_70.acf"
[ "$(skyloom --find-game)" = "$(printf 'steam\t%s/hl.sh\t%s/valve/maps\t%s/tfc/maps' "$game" "$game" "$game")" ] ||
  fail "--find-game printed \"$(skyloom --find-game)\""
rm -r "$home/.local"
status=0 && err=$(skyloom --find-game 2>&1 >/dev/null) || status=$?
[ "$status" = 1 ] && grep -qx "$home/snap/steam/common/.local/share/Steam" <<< "$err" ||
  fail "--find-game without a game: status $status, $err"
