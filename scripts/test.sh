#!/usr/bin/env bash
# Builds both targets and runs every test under Wine: the 64-bit suite, then the 32-bit suite
# (the product users run). A failure in either fails the run. Usage: scripts/test.sh [ctest options]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
configure_and_build win64
# SKIP_WIN32=1 leaves the 32-bit build and its suite out, for a quicker loop while developing.
[ "${SKIP_WIN32:-0}" = 1 ] || configure_and_build win32 -DSICHERUNG_TESTS=ON -DSICHERUNG_BENCH=OFF

# German user locale: the texts under test are those our users see.
start_wine_env
mount_media
start_postgres

PASSED=0 FAILED=0 SKIPPED=0
run_suite() {  # win64|win32, then ctest options; adds the suite's counts to the totals
    local target=$1; shift
    local log=$BUILD/$target/ctest-ausgabe.txt rc=0 total failed skipped
    echo "== $target suite"
    (cd "$BUILD/$target" && ctest --output-on-failure --timeout 120 "$@") 2>&1 | tee "$log" || rc=1
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    failed=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -n 1)
    skipped=$(grep -c '(Skipped)$' "$log" || true)
    PASSED=$((PASSED + ${total:-0} - ${failed:-0} - skipped))
    FAILED=$((FAILED + ${failed:-0}))
    SKIPPED=$((SKIPPED + skipped))
    return $rc
}

status=0
run_suite win64 "$@" || status=1
if [ "${SKIP_WIN32:-0}" != 1 ]; then
    runs_32bit || echo "This machine's kernel does not run 32-bit code: every test of the 32-bit suite is skipped."
    run_suite win32 "$@" || status=1
fi
# Both suites in one line.
echo "Gesamt: $PASSED passed, $FAILED failed, $SKIPPED skipped"
exit $status
