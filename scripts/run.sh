#!/usr/bin/env bash
# Builds the programs (the 32-bit products and the 64-bit builds) and starts one under Wine.
# 32-bit code cannot run on these build machines, so the 64-bit build of the same sources runs.
# Without a display a virtual one is started (screenshots: xwd -root -display "$DISPLAY").
# Usage: scripts/run.sh [arguments for Sicherung.exe]      e.g. scripts/run.sh /8X6
#        scripts/run.sh bausteine                          the component gallery Bausteine.exe
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

program=Sicherung
if [ "${1:-}" = bausteine ]; then
    program=Bausteine
    shift
fi

install_missing
configure_and_build win32 -DSICHERUNG_TESTS=OFF -DSICHERUNG_BENCH=OFF
BUILD_TARGET=$program configure_and_build win64
echo "Product: $BUILD/win32/$program.exe"

[ -n "${DISPLAY:-}" ] && KEEP_DISPLAY=1 || echo "No display: running on a virtual display"
start_wine_env
"$WINE64" "$BUILD/win64/$program.exe" "$@"
