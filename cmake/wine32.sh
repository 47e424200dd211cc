#!/bin/sh
# Starts a 32-bit Windows program under Wine for the 32-bit test suite. A machine whose kernel
# does not run 32-bit code (no 32-bit compatibility: its own 32-bit programs fail with "Exec
# format error") cannot run the suite at all; there each test is skipped with that reason.
loader=/usr/lib/wine/wine
if [ -x "$loader" ] && ! "$loader" --version >/dev/null 2>&1; then
    echo "[  SKIPPED ] this machine's kernel does not run 32-bit code, so Wine cannot start 32-bit programs"
    exit 77
fi
exec "$(dirname "$0")/wine64.sh" "$@"
