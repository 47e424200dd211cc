#!/bin/sh
# The Linux side of the Unicode file-name test: "anlegen" makes a tree with Polish, German and CJK
# names in the given folder, "pruefen" checks the backup of it from outside Wine again.
# Exits 77 (skipped) where the locales Wine needs to read such names are not generated.
set -eu
modus=$1
wurzel=$2

have_locales() {
    locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx 'de_de.utf8'
}
if ! have_locales; then
    echo "skipped: the locale de_DE.UTF-8 is not generated (scripts/test.sh generates it as root)"
    exit 77
fi

ordner='Łódź Straße 東'
datei='Brief ąę ö 日.txt'
inhalt='Zażółć gęślą jaźń – Grüße'

case $modus in
anlegen)
    rm -rf "$wurzel"
    mkdir -p "$wurzel/quelle/$ordner"
    printf '%s\n' "$inhalt" > "$wurzel/quelle/$ordner/$datei"
    printf 'zwei\n' > "$wurzel/quelle/Ärger.txt"
    ;;
pruefen)
    # Below the target folder the copy keeps the source's path without its drive (Z: is /).
    kopie="$wurzel/ziel$wurzel/quelle"
    # No target at all: the step inside Wine was skipped (it reports its own failures).
    if [ ! -d "$wurzel/ziel" ]; then
        echo "skipped: the backup inside Wine did not run"
        rm -rf "$wurzel"
        exit 77
    fi
    status=0
    for f in "$ordner/$datei" "Ärger.txt"; do
        if [ ! -f "$kopie/$f" ]; then
            echo "missing copy: $kopie/$f"
            ls -R "$wurzel/ziel" || true
            status=1
        elif ! cmp -s "$wurzel/quelle/$f" "$kopie/$f"; then
            echo "copy differs: $kopie/$f"
            status=1
        fi
    done
    rm -rf "$wurzel"
    exit $status
    ;;
*)
    echo "usage: $0 anlegen|pruefen FOLDER" >&2
    exit 2
    ;;
esac
