#!/usr/bin/env bash
# Builds the program (the 32-bit product and the 64-bit build) and starts it under Wine.
# 32-bit code cannot run on these build machines, so the 64-bit build of the same sources runs.
# Without a display a virtual one is started (screenshots: xwd -root -display "$DISPLAY").
# Arguments are passed to the program, e.g. scripts/run.sh /8X6
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
configure_and_build win32 -DSICHERUNG_TESTS=OFF -DSICHERUNG_BENCH=OFF
BUILD_TARGET=Sicherung configure_and_build win64
echo "Product: $BUILD/win32/Sicherung.exe"

[ -n "${DISPLAY:-}" ] && KEEP_DISPLAY=1 || echo "No display: running on a virtual display"
start_wine_env
"$WINE64" "$BUILD/win64/Sicherung.exe" "$@"
