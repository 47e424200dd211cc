#!/usr/bin/env bash
# Builds one of the programs and starts it under Wine: the 32-bit build by default, which is the
# product users run; --64 starts the 64-bit build of the same sources.
# Without a display a virtual one is started (screenshots: xwd -root -display "$DISPLAY").
# Usage: scripts/run.sh [--64] [arguments for Sicherung.exe]      e.g. scripts/run.sh /8X6
#        scripts/run.sh [--64] bausteine                          the component gallery Bausteine.exe
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
target=win32
if [ "${1:-}" = --64 ]; then
    target=win64
    shift
elif ! runs_32bit; then
    echo "This machine cannot run 32-bit programs (Wine's 32-bit part or the kernel's 32-bit support is missing): the 64-bit build runs."
    target=win64
fi
program=Sicherung
if [ "${1:-}" = bausteine ]; then
    program=Bausteine
    shift
fi

BUILD_TARGET=$program configure_and_build $target
echo "Running: $BUILD/$target/$program.exe"

[ -n "${DISPLAY:-}" ] && KEEP_DISPLAY=1 || echo "No display: running on a virtual display"
start_wine_env
"$WINE64" "$BUILD/$target/$program.exe" "$@"
