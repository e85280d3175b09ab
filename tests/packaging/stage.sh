#!/usr/bin/env bash
# Installs the built program into a staging folder (DESTDIR) under /usr, as a package would.
set -euo pipefail
[ -d "$SKYLOOM_STAGE" ] && chmod -R u+w "$SKYLOOM_STAGE" && rm -rf "$SKYLOOM_STAGE"
DESTDIR="$SKYLOOM_STAGE" cmake --install "$SKYLOOM_BUILD" --prefix /usr > /dev/null
