#!/usr/bin/env bash
# Writes pictures of the main window's two pages (lists filled; after a run) and of every page of
# the component gallery to build/screenshots/, taken from the 32-bit build, which users run.
# Usage: scripts/screenshots.sh [--64]      --64 takes them from the 64-bit build
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
target=win32
[ "${1:-}" = --64 ] && target=win64
if [ $target = win32 ] && ! runs_32bit; then
    echo "This machine cannot run 32-bit programs: the pictures are taken from the 64-bit build."
    target=win64
fi

configure_and_build $target -DSICHERUNG_TESTS=ON
start_wine_env
mkdir -p "$BUILD/screenshots"
export SICHERUNG_BILDER="Z:$(echo "$BUILD/screenshots" | tr / '\\')"
for t in app gallery; do
    "$WINE64" "$BUILD/$target/tests/test_$t.exe" --gtest_filter='*Bildschirmfotos*'
done
for b in "$BUILD"/screenshots/*.bmp; do convert "$b" "${b%.bmp}.png" && rm "$b"; done
ls -l "$BUILD/screenshots"
