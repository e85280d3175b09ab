#!/usr/bin/env bash
# The .deb that `make package` builds carries the project's name and version, its section and
# computed dependencies, and every installed file; lintian finds nothing to fix in it.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
ID="$SKYLOOM_APP_ID"

cpack --config "$SKYLOOM_BUILD/CPackConfig.cmake" -G DEB -B "$OUT" > "$OUT/cpack.log" 2>&1 ||
  { cat "$OUT/cpack.log" >&2; fail "cpack failed"; }
deb="$OUT/skyloom_${SKYLOOM_VERSION}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$OUT")"

info=$(dpkg-deb --info "$deb")
for line in "Package: skyloom" "Version: $SKYLOOM_VERSION" "Section: games" \
            "Maintainer: Skyloom developers <dev@skyloom.example>"; do
  grep -qx " $line" <<< "$info" || fail "control lacks \"$line\":
$info"
done
grep -q "^ Depends:.*libqt6widgets6" <<< "$info" || fail "dependencies not computed:
$info"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
icons=usr/share/icons/hicolor
for f in usr/games/skyloom usr/share/doc/skyloom/copyright usr/share/doc/skyloom/changelog.gz \
         "usr/share/applications/$ID.desktop" "usr/share/metainfo/$ID.metainfo.xml" \
         "$icons/scalable/apps/$ID.svg" "$icons/64x64/apps/$ID.png" "$icons/256x256/apps/$ID.png" \
         usr/share/man/man6/skyloom.6.gz; do
  grep -qx "./$f" <<< "$contents" || fail "package lacks $f:
$contents"
done
lintian --fail-on error,warning "$deb" > "$OUT/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'root privileges' "$OUT/lintian.log")"
