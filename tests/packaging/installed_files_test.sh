#!/usr/bin/env bash
# The installed menu entry and metainfo pass their validators; the icons have their sizes; the
# program answers --version and --help without a display.
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
grep -q -- "--settings <FILE>" <<< "$help" || fail "--help does not offer --settings"
