#!/usr/bin/env bash
# Writes pictures of the main window's two pages (lists filled; after a run) and of every page of
# the component gallery to build/screenshots/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
configure_and_build win64
start_wine_env
mkdir -p "$BUILD/screenshots"
export SICHERUNG_BILDER="Z:$(echo "$BUILD/screenshots" | tr / '\\')"
for t in app gallery; do
    "$WINE64" "$BUILD/win64/tests/test_$t.exe" --gtest_filter='*Bildschirmfotos*'
done
for b in "$BUILD"/screenshots/*.bmp; do convert "$b" "${b%.bmp}.png" && rm "$b"; done
ls -l "$BUILD/screenshots"
