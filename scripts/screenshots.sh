#!/usr/bin/env bash
# Writes pictures of the main window's two pages (lists filled; after a run) to build/screenshots/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
configure_and_build win64
start_wine_env
mkdir -p "$BUILD/screenshots"
export SICHERUNG_BILDER="Z:$(echo "$BUILD/screenshots" | tr / '\\')"
"$WINE64" "$BUILD/win64/tests/test_app.exe" --gtest_filter='*Bildschirmfotos*'
for b in "$BUILD"/screenshots/*.bmp; do convert "$b" "${b%.bmp}.png" && rm "$b"; done
ls -l "$BUILD/screenshots"
