#!/usr/bin/env bash
# Builds both targets and runs every test under Wine. Usage: scripts/test.sh [ctest options]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
# SKIP_WIN32=1 leaves the 32-bit product out, for a quicker loop while developing.
[ "${SKIP_WIN32:-0}" = 1 ] || configure_and_build win32 -DSICHERUNG_TESTS=OFF -DSICHERUNG_BENCH=OFF
configure_and_build win64

# German user locale: the texts under test are those our users see.
start_wine_env
mount_media
start_postgres
cd "$BUILD/win64"
status=0
ctest --output-on-failure --timeout 120 "$@" || status=$?
exit $status
