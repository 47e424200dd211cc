#!/usr/bin/env bash
# Starts a Windows program of the test suites under Wine. Now and then (in the order of one start
# in a thousand on our machines) Wine ends a program before any of its code ran: no output at all
# and a failure, which the suite would count against whichever test happened to start. Such a
# start is made once more, and the second attempt says so. A program that printed anything has
# run, and its result stands as it is.
out=$(mktemp) || exit 1
trap 'rm -f "$out"' EXIT
for versuch in 1 2; do
    /usr/lib/wine/wine64 "$@" | tee "$out"
    rc=${PIPESTATUS[0]}
    if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$versuch" -eq 2 ]; then exit "$rc"; fi
    echo "Wine ended the program before it started (exit code $rc, no output); starting it once more." >&2
done
