#!/usr/bin/env bash
# Builds the x86_64 benchmarks and runs them under Wine. They print figures; nothing passes or fails.
# Usage: scripts/bench.sh [small-file count] [count of 256 MiB files]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
configure_and_build win64
start_wine_env
for b in "$BUILD"/win64/bench/bench_*.exe; do
    echo "== $(basename "$b")"
    "$WINE64" "$b" "$@"
done
