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

trap stop_started EXIT INT TERM
use_prefix "$BUILD/win64/wineprefix"
if [ -z "${DISPLAY:-}" ]; then
    start_display
    echo "No display: running on the virtual display $DISPLAY"
fi
start_wineserver
prepare_prefix
export LC_ALL=${LC_ALL:-de_DE.UTF-8}
"$WINE64" "$BUILD/win64/Sicherung.exe" "$@"
