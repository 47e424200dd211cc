#!/usr/bin/env bash
# Benchmarks. They print figures; nothing passes or fails.
#
#   scripts/bench.sh [small files] [large files]
#
# 1. The real program as users start it: the 64-bit Sicherung.exe and the 32-bit one (the
#    product) with "/SICHERN", beside each a settings file naming the tree, against Wine's xcopy /D /E /Y and, as the floor, native
#    cp -a -u, on the same trees in the same run: small files (default 20 000 of 1 KiB in folders
#    of 100) and large ones (default 4 of 256 MiB), each first into an empty target, then over
#    the unchanged tree. Every round the tools take turns at going first; every tool starts
#    with the sources read into the cache and nothing of the last tool left to write out.
#    Median times, the ratios, and the program's peak working set. The program flushes every
#    copy of 1 MiB or more to the medium before it replaces the old one; cp -a does not, so
#    for the large files cp -a followed by a sync of the copied files stands beside it, and
#    the fewest calls for such a flushed copy under Wine (bench/Minimalkopie.exe).
#    Then the verification "/PRUEFEN" over the backups left behind, against native diff -rq and
#    cmp over the same trees.
# 2. Start-up: process start to the first painting of page 1 and to the end of the window's
#    set-up, with four lists of 1 000 lines, against a minimal window of ours (the floor) and the
#    same window holding as many child windows of the system's classes as the main window has
#    (what that many windows cost under Wine at least); and the unattended run of one single
#    file with a blacklist of 0, 1 000 and 3 000 lines.
# 3. The backup engine alone in one process on the same trees; loading and saving the lists; the
#    status list; the data grid.
#
# Environment: BENCH_RUNDEN rounds (default 2); BENCH_LISTE lines per list at start-up (1000);
# BENCH_SPEICHER files of an extra unattended run for the memory figure (default: none, the
# small tree's figure stands; the full figure is BENCH_SPEICHER=100000, which takes minutes);
# BENCH_STATUSZEILEN lines of the status-list benchmark (default 1 000 000); BENCH_ALT another
# 64-bit Sicherung.exe (an older build) run beside the current one in the comparison;
# BENCH_NUR=vergleich runs the comparison of part 1 alone, BENCH_NUR=start the start-up alone.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

KLEIN=${1:-20000}
GROSS=${2:-4}
RUNDEN=${BENCH_RUNDEN:-2}
LISTE=${BENCH_LISTE:-1000}
SPEICHER=${BENCH_SPEICHER:-}
STATUSZEILEN=${BENCH_STATUSZEILEN:-1000000}
ALT=${BENCH_ALT:-}
NUR=${BENCH_NUR:-}

install_missing
configure_and_build win64
BUILD_TARGET=Sicherung configure_and_build win32
start_wine_env
start_postgres

B=$BUILD/win64/bench-lauf
EXE=$BUILD/win64/Sicherung.exe
EXE32=$BUILD/win32/Sicherung.exe
trap 'rm -rf "$B"; stop_started' EXIT INT TERM
rm -rf "$B"
mkdir -p "$B"

# Figures with a decimal point, whatever locale the Windows programs run under.
rechnen() { LC_ALL=C awk "$@"; }
jetzt() { local t=$EPOCHREALTIME; echo "${t/,/.}"; }
winpfad() { echo "Z:$(echo "$1" | tr / '\\')"; }
sekunden() { rechnen -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
# A mark of the program (100-ns steps since 1601) as seconds after the Unix instant $2.
nach_start() { rechnen -v m="$1" -v s="$2" 'BEGIN { if (m == "") print "-"; else printf "%.3f", m / 1e7 - 11644473600 - s }'; }
marke() { rechnen -v n="$1" '$1 == n { print $2; exit }' "$2" 2>/dev/null; }
median() { tr ' ' '\n' | grep '^[0-9]' | LC_ALL=C sort -g | rechnen '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) printf "%.2f", v[(NR + 1) / 2]; else printf "%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
verhaeltnis() { rechnen -v a="$1" -v b="$2" 'BEGIN { if (a != "-" && b > 0) printf "%.2f", a / b; else print "-" }'; }
mib() { rechnen -v b="$1" 'BEGIN { if (b > 0) printf "%.1f MiB", b / 1048576; else print "-" }'; }

baum_klein() { # folder, count: files of 1 KiB in folders of 100
    local d=$1 n=$2 i inhalt
    inhalt=$(head -c 1024 /dev/zero | tr '\0' k)
    mkdir -p "$d"
    for ((i = 0; i < n; i++)); do
        ((i % 100 == 0)) && mkdir -p "$d/o$((i / 100))"
        printf '%s' "$inhalt" >"$d/o$((i / 100))/d$i.txt"
    done
}

baum_gross() { # folder, count: files of 256 MiB
    local d=$1 n=$2 i
    mkdir -p "$d"
    for ((i = 0; i < n; i++)); do head -c $((256 << 20)) /dev/zero | tr '\0' g >"$d/g$i.bin"; done
}

einstellungen() { # program folder, source tree: the settings file that lists the tree
    printf '[Tam_Main]\r\nme_Dir_0=%s\r\n' "$(winpfad "$2")" >"$1/Sicherung.ini"
}

# One timed run of a tool on tree $1 (klein|gross); prints the seconds.
lauf() {
    local werkzeug=$1 baum=$2 quelle=$B/quelle-$2 t0 t1
    sync
    case $werkzeug in
    sicherung | sicherung32 | alt)
        local p=$B/programm-$baum
        [ "$werkzeug" = sicherung32 ] && p=$B/programm32-$baum
        [ "$werkzeug" = alt ] && p=$B/programmalt-$baum
        : >"$p/marken.txt"
        t0=$(jetzt)
        (cd "$p" && SICHERUNG_ZEITMARKEN="$(winpfad "$p/marken.txt")" "$WINE64" Sicherung.exe /SICHERN \
            >"$p/ausgabe.txt" 2>&1) || true
        t1=$(jetzt)
        ;;
    xcopy)
        t0=$(jetzt)
        "$WINE64" xcopy "$(winpfad "$quelle")" "$(winpfad "$B/xcopy-$baum")\\" /D /E /Y \
            >"$B/xcopy-$baum.txt" 2>&1 || true
        t1=$(jetzt)
        ;;
    cp)
        mkdir -p "$B/cp-$baum"
        t0=$(jetzt)
        cp -a -u "$quelle/." "$B/cp-$baum/"
        t1=$(jetzt)
        ;;
    cpsync) # what the program's flush of large copies costs, done the native way
        mkdir -p "$B/cpsync-$baum"
        t0=$(jetzt)
        cp -a -u "$quelle/." "$B/cpsync-$baum/"
        find "$B/cpsync-$baum" -type f -exec sync {} +
        t1=$(jetzt)
        ;;
    minkopie) # the fewest calls for the same flushed copy through a buffer, under Wine
        t0=$(jetzt)
        "$WINE64" "$BUILD/win64/bench/Minimalkopie.exe" "$(winpfad "$quelle")" "$(winpfad "$B/minkopie-$baum")" || true
        t1=$(jetzt)
        ;;
    esac
    sekunden "$t0" "$t1"
}

# Every target of tree $1 is moved aside, so the next runs are first runs. Not deleted: for
# minutes after thousands of files were deleted, ext4 steps over their inodes one by one when
# it makes a new file, and whichever tool went first would pay for it. The exit removes them.
leeren() {
    local ablage=$B/abgelegt/$1-$((++ABGELEGT)) d
    mkdir -p "$ablage"
    for d in "$B/programm-$1"/Datensicherung_* "$B/programm32-$1"/Datensicherung_* \
        "$B/programmalt-$1"/Datensicherung_* "$B/xcopy-$1" "$B/cp-$1" "$B/cpsync-$1" "$B/minkopie-$1"; do
        [ -e "$d" ] && mv "$d" "$ablage/$(basename "$d")-$(basename "$(dirname "$d")")"
    done
    rm -f "$B/programm-$1/Sicherung.log" "$B/programm32-$1/Sicherung.log" "$B/programmalt-$1/Sicherung.log"
    einstellungen "$B/programm-$1" "$B/quelle-$1"
    einstellungen "$B/programm32-$1" "$B/quelle-$1"
    [ -z "$ALT" ] || einstellungen "$B/programmalt-$1" "$B/quelle-$1"
}

declare -A ZEIT SPITZE MELDUNG
ABGELEGT=0
WERKZEUGE=(sicherung xcopy)
if runs_32bit; then
    WERKZEUGE=(sicherung sicherung32 xcopy)
else
    echo "This machine cannot run 32-bit programs: the 32-bit column stays empty."
fi
[ -z "$ALT" ] || WERKZEUGE+=(alt)
command -v cp >/dev/null && WERKZEUGE+=(cp)

# The first start of a freshly copied program costs Wine up to two seconds more than the next:
# every program is started once before it is timed.
aufwaermen() { # program folder: started with nothing listed, it ends after its check
    printf '[Tam_Main]\r\n' >"$1/Sicherung.ini"
    (cd "$1" && "$WINE64" Sicherung.exe /SICHERN >/dev/null 2>&1) || true
}

vergleich() { # tree
    local baum=$1 r i w werkzeuge=("${WERKZEUGE[@]}")
    [ "$baum" = gross ] && werkzeuge+=(minkopie)
    [ "$baum" = gross ] && command -v sync >/dev/null && werkzeuge+=(cpsync)
    local n=${#werkzeuge[@]}
    mkdir -p "$B/programm-$baum"
    cp "$EXE" "$B/programm-$baum/"
    aufwaermen "$B/programm-$baum"
    mkdir -p "$B/programm32-$baum"
    cp "$EXE32" "$B/programm32-$baum/"
    aufwaermen "$B/programm32-$baum"
    if [ -n "$ALT" ]; then
        mkdir -p "$B/programmalt-$baum"
        cp "$ALT" "$B/programmalt-$baum/Sicherung.exe"
        aufwaermen "$B/programmalt-$baum"
    fi
    "$WINE64" xcopy /? >/dev/null 2>&1 || true
    find "$B/quelle-$baum" -type f -exec cat {} + >/dev/null # every tool finds the sources cached
    for ((r = 0; r < RUNDEN; r++)); do
        leeren "$baum"
        for art in erst wieder; do
            for ((i = 0; i < n; i++)); do
                w=${werkzeuge[$(((i + r) % n))]}
                [ "$art,$w" = wieder,minkopie ] && continue # it copies everything every time
                ZEIT[$baum,$art,$w]+=" $(lauf "$w" "$baum")"
                if [ "$w" = sicherung ]; then
                    local s
                    s=$(marke speicher_spitze "$B/programm-$baum/marken.txt")
                    [ -n "$s" ] && [ "$s" -gt "${SPITZE[$baum,$art]:-0}" ] && SPITZE[$baum,$art]=$s
                    MELDUNG[$baum,$art]=$(grep -a "gesichert\." "$B/programm-$baum/ausgabe.txt" | tail -1 | tr -d '\r')
                fi
            done
        done
    done
}

zeile() { # label, tree, run kind
    local s s32 x c cs m a
    s=$(echo "${ZEIT[$2,$3,sicherung]}" | median || true)
    s32=$(echo "${ZEIT[$2,$3,sicherung32]:-}" | median || true)
    x=$(echo "${ZEIT[$2,$3,xcopy]}" | median || true)
    c=$(echo "${ZEIT[$2,$3,cp]:-}" | median || true)
    cs=$(echo "${ZEIT[$2,$3,cpsync]:-}" | median || true)
    m=$(echo "${ZEIT[$2,$3,minkopie]:-}" | median || true)
    printf "%-36s %10s %10s %10s %10s %10s %10s %9s %9s %9s %9s %12s" "$1" "$s" "$s32" "$x" "$c" "$cs" "$m" \
        "$(verhaeltnis "$s" "$x")" "$(verhaeltnis "$s" "$c")" "$(verhaeltnis "$s" "$cs")" "$(verhaeltnis "$s" "$m")" \
        "$(mib "${SPITZE[$2,$3]:-0}")"
    if [ -n "$ALT" ]; then
        a=$(echo "${ZEIT[$2,$3,alt]:-}" | median || true)
        printf " %10s %9s" "$a" "$(verhaeltnis "$a" "$x")"
    fi
    echo
}

if [ "$NUR" != start ]; then
echo "== preparing the trees"
baum_klein "$B/quelle-klein" "$KLEIN"
[ "$GROSS" -gt 0 ] && baum_gross "$B/quelle-gross" "$GROSS"
echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg)"

vergleich klein
[ "$GROSS" -gt 0 ] && vergleich gross

echo
echo "== the real program against xcopy (median of $RUNDEN rounds, seconds; Wine process start included)"
printf "%-36s %10s %10s %10s %10s %10s %10s %9s %9s %9s %9s %12s" "" "Sicherung" "32-bit" "xcopy /D" "cp -a -u" "cp+sync" \
    "min.copy" "S/xcopy" "S/cp" "S/cp+sync" "S/min" "peak WS (S)"
[ -z "$ALT" ] && echo || printf " %10s %9s\n" "old exe" "old/xcopy"
zeile "$KLEIN files of 1 KiB, first run" klein erst
zeile "$KLEIN files of 1 KiB, unchanged" klein wieder
if [ "$GROSS" -gt 0 ]; then
    zeile "$GROSS files of 256 MiB, first run" gross erst
    zeile "$GROSS files of 256 MiB, unchanged" gross wieder
fi
echo "single rounds (in the order above):"
for baum in klein gross; do
    for art in erst wieder; do
        [ -n "${ZEIT[$baum,$art,sicherung]:-}" ] || continue
        echo "  $baum/$art: Sicherung${ZEIT[$baum,$art,sicherung]} | 32-bit${ZEIT[$baum,$art,sicherung32]:-} | xcopy${ZEIT[$baum,$art,xcopy]} | cp${ZEIT[$baum,$art,cp]:-} | cp+sync${ZEIT[$baum,$art,cpsync]:-} | min.copy${ZEIT[$baum,$art,minkopie]:-}${ALT:+ | old exe${ZEIT[$baum,$art,alt]:-}}"
        echo "    Sicherung.exe reported: ${MELDUNG[$baum,$art]:-nothing}"
    done
done
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$NUR" = vergleich ] && exit 0

# ---- the verification
# "/PRUEFEN" of the real program over the backups the runs above left behind, against native
# diff -rq over the same source and copy trees and, for the large files, native cmp file by file
# (a cmp per small file would time process starts). Everything is in the cache; the tools take
# turns at going first; median of the rounds.
pruef_kopie() { # tree: its copy below the program's backup folder
    local z
    z=$(echo "$B/programm-$1"/Datensicherung_*)
    echo "$z$B/quelle-$1"
}

pruef_lauf() { # tool, tree: the seconds it took
    local quelle=$B/quelle-$2 kopie t0 t1 f
    kopie=$(pruef_kopie "$2")
    t0=$(jetzt)
    case $1 in
    pruefen) (cd "$B/programm-$2" && "$WINE64" Sicherung.exe /PRUEFEN >"$B/programm-$2/pruefung.txt" 2>&1) || true ;;
    diff) diff -rq "$quelle" "$kopie" >/dev/null || true ;;
    cmp) for f in "$quelle"/*; do cmp -s "$f" "$kopie/${f##*/}" || true; done ;;
    esac
    t1=$(jetzt)
    sekunden "$t0" "$t1"
}

declare -A PZEIT PMELDUNG
pruef_vergleich() { # tree, tools...
    local baum=$1 r i w
    shift
    local werkzeuge=("$@") n=$#
    find "$B/quelle-$baum" "$(pruef_kopie "$baum")" -type f -exec cat {} + >/dev/null
    for ((r = 0; r < RUNDEN; r++)); do
        for ((i = 0; i < n; i++)); do
            w=${werkzeuge[$(((i + r) % n))]}
            PZEIT[$baum,$w]+=" $(pruef_lauf "$w" "$baum")"
        done
    done
    PMELDUNG[$baum]=$(grep -a "geprüft" "$B/programm-$baum/pruefung.txt" | tail -1 | tr -d '\r' || true)
}

pruef_zeile() { # label, tree
    local p d c
    p=$(echo "${PZEIT[$2,pruefen]}" | median || true)
    d=$(echo "${PZEIT[$2,diff]}" | median || true)
    c=$(echo "${PZEIT[$2,cmp]:-}" | median || true)
    printf "%-36s %10s %10s %10s %9s %9s\n" "$1" "$p" "$d" "$c" "$(verhaeltnis "$p" "$d")" "$(verhaeltnis "$p" "$c")"
}

pruef_vergleich klein pruefen diff
[ "$GROSS" -gt 0 ] && pruef_vergleich gross pruefen diff cmp
echo
echo "== the verification /PRUEFEN against native diff -rq and cmp (median of $RUNDEN rounds, seconds)"
printf "%-36s %10s %10s %10s %9s %9s\n" "" "/PRUEFEN" "diff -rq" "cmp" "P/diff" "P/cmp"
pruef_zeile "$KLEIN files of 1 KiB" klein
[ "$GROSS" -gt 0 ] && pruef_zeile "$GROSS files of 256 MiB" gross
for baum in klein gross; do
    [ -n "${PZEIT[$baum,pruefen]:-}" ] || continue
    echo "  $baum: /PRUEFEN${PZEIT[$baum,pruefen]} | diff${PZEIT[$baum,diff]} | cmp${PZEIT[$baum,cmp]:-}"
    echo "    Sicherung.exe reported: ${PMELDUNG[$baum]:-nothing}"
done

fi # part 1 and the verification

# ---- start-up
start_liste() { # lines per list: the four lists of the main window
    local n=$1 i liste
    {
        printf '[Tam_Main]\r\n'
        for liste in me_Ext me_Dir me_Einzel me_Blacklist; do
            for ((i = 0; i < n; i++)); do printf '%s_%d=\\z%05d\\\r\n' "$liste" "$i" "$i"; done
        done
    }
}

# The two shares of a start, from the marks in $1 and the name of the painting mark $2: the
# loader's (the process created until the program's entry: the program and the libraries it
# imports, loaded and set up) and the window's (the entry until the first painting).
anteile() {
    rechnen -v bild="$2" '{ m[$1] = $2 } END {
        if (m["prozess_erstellt"] == "" || m["wwinmain"] == "" || m[bild] == "") { print "- -"; exit }
        printf "%.3f %.3f\n", (m["wwinmain"] - m["prozess_erstellt"]) / 1e7, (m[bild] - m["wwinmain"]) / 1e7 }' "$1"
}

boden() { # a floor, $1 its program: "<first painting> <loader's share> <window's share>" in seconds
    local m=$B/start/boden.txt t0
    : >"$m"
    t0=$(jetzt)
    SICHERUNG_ZEITMARKEN="$(winpfad "$m")" "$WINE64" "$BUILD/win64/bench/$1.exe" || true
    echo "$(nach_start "$(marke fenster_gemalt "$m")" "$t0") $(anteile "$m" fenster_gemalt)"
}

fenster() { # the program's window: "<page 1 painted> <set-up done> <loader's share> <window's share>"
    local p=$B/start m=$B/start/marken.txt t0 pid ende=""
    start_liste "$LISTE" >"$p/Sicherung.ini"
    : >"$m"
    t0=$(jetzt)
    (cd "$p" && SICHERUNG_ZEITMARKEN="$(winpfad "$m")" exec "$WINE64" Sicherung.exe >/dev/null 2>&1) &
    pid=$!
    for _ in $(seq 12000); do
        ende=$(marke einrichtung_fertig "$m")
        [ -n "$ende" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true # the window is not closed: its settings stay as they were
    wait "$pid" 2>/dev/null || true
    echo "$(nach_start "$(marke seite1_gemalt "$m")" "$t0") $(nach_start "$ende" "$t0") $(anteile "$m" seite1_gemalt)"
}

unbeaufsichtigt_blacklist() { # lines: one single file, a blacklist of that many lines
    local p=$B/start n=$1 i t0 t1
    echo hallo >"$p/einzel.txt"
    {
        printf '[Tam_Main]\r\nme_Einzel_0=%s\r\n' "$(winpfad "$p/einzel.txt")"
        for ((i = 0; i < n; i++)); do printf 'me_Blacklist_%d=\\zz%05d\\\r\n' "$i" "$i"; done
    } >"$p/Sicherung.ini"
    rm -rf "$p"/Datensicherung_*
    t0=$(jetzt)
    (cd "$p" && "$WINE64" Sicherung.exe /SICHERN >/dev/null 2>&1) || true
    t1=$(jetzt)
    sekunden "$t0" "$t1"
}

mkdir -p "$B/start"
cp "$EXE" "$B/start/"
aufwaermen "$B/start"
boden Minimalfenster >/dev/null
boden Fensterboden >/dev/null
BODEN="" SEITE="" FERTIG="" BLADER="" BFENSTER="" SLADER="" SFENSTER="" KBODEN="" KLADER="" KFENSTER=""
declare -A BL
for ((r = 0; r < RUNDEN * 3; r++)); do # starts are short and scatter: three times the rounds
    if ((r % 2 == 0)); then
        read -r b bl bf < <(boden Minimalfenster)
        read -r k kl kf < <(boden Fensterboden)
        read -r s f sl sf < <(fenster)
    else
        read -r s f sl sf < <(fenster)
        read -r k kl kf < <(boden Fensterboden)
        read -r b bl bf < <(boden Minimalfenster)
    fi
    BODEN+=" $b" BLADER+=" $bl" BFENSTER+=" $bf"
    KBODEN+=" $k" KLADER+=" $kl" KFENSTER+=" $kf"
    SEITE+=" $s" SLADER+=" $sl" SFENSTER+=" $sf"
    FERTIG+=" $f"
    ((r < RUNDEN)) || continue
    for n in 0 1000 3000; do BL[$n]+=" $(unbeaufsichtigt_blacklist $n)"; done
done
b=$(echo "$BODEN" | median)
k=$(echo "$KBODEN" | median)
s=$(echo "$SEITE" | median)
f=$(echo "$FERTIG" | median)
echo
echo "== start-up (median of $((RUNDEN * 3)) starts each, alternating; seconds from the process start)"
echo "minimal window of ours, first painting:        $b   (rounds:$BODEN)"
echo "  of it the loader's share $(echo "$BLADER" | median), the window's $(echo "$BFENSTER" | median)"
echo "the same with the main window's 33 child windows of the system's classes, first painting:"
echo "                                                $k   ratio to the floor $(verhaeltnis "$k" "$b")   (rounds:$KBODEN)"
echo "  of it the loader's share $(echo "$KLADER" | median), the window's $(echo "$KFENSTER" | median)"
echo "Sicherung.exe, 4 lists of $LISTE lines:"
echo "  page 1 first painted:                         $s   ratio to the floor $(verhaeltnis "$s" "$b"), to the one with child windows $(verhaeltnis "$s" "$k")   (rounds:$SEITE)"
echo "    of it the loader's share $(echo "$SLADER" | median), the window's $(echo "$SFENSTER" | median)"
echo "  set-up done (lists loaded):                   $f   ratio to the floor $(verhaeltnis "$f" "$b")   (rounds:$FERTIG)"
echo "/SICHERN with one single file and a blacklist (the run loads, backs up and saves the lists):"
for n in 0 1000 3000; do
    printf "  %5d lines: %8s s   (rounds:%s)\n" "$n" "$(echo "${BL[$n]}" | median)" "${BL[$n]}"
done

[ "$NUR" = start ] && exit 0

# ---- memory
if [ -n "$SPEICHER" ]; then
    baum_klein "$B/quelle-speicher" "$SPEICHER"
    mkdir -p "$B/programm-speicher"
    cp "$EXE" "$B/programm-speicher/"
    aufwaermen "$B/programm-speicher"
    einstellungen "$B/programm-speicher" "$B/quelle-speicher"
    echo
    echo "== memory: unattended runs over $SPEICHER files of 1 KiB"
    for art in "first run" "unchanged"; do
        t=$(lauf sicherung speicher)
        echo "  $art: $t s, peak working set $(mib "$(marke speicher_spitze "$B/programm-speicher/marken.txt")")"
    done
    mkdir -p "$B/abgelegt" && mv "$B/quelle-speicher" "$B/programm-speicher" "$B/abgelegt/" # see leeren
else
    echo
    echo "== memory: the peak working set is the last column above (for $KLEIN files);"
    echo "   BENCH_SPEICHER=100000 scripts/bench.sh adds a run over 100 000 files."
fi

# ---- the engine alone, and the status list
echo
echo "== the engine alone, in one process (no window, no console, no process start)"
baeume=("$(winpfad "$B/quelle-klein")")
[ "$GROSS" -gt 0 ] && baeume+=("$(winpfad "$B/quelle-gross")")
mkdir -p "$B/engine"
"$WINE64" "$BUILD/win64/bench/bench_sicherung.exe" "$(winpfad "$B/engine")" "${baeume[@]}"
echo
echo "== the settings lists alone (four lists, read as the window's set-up does, saved in one change)"
"$WINE64" "$BUILD/win64/bench/bench_einstellungen.exe" "$(winpfad "$B/engine")" "$LISTE"
echo
echo "== the status list (targets: $STATUSZEILEN lines in under 60 s and 200 MiB, at most 150 bytes a line)"
"$WINE64" "$BUILD/win64/bench/bench_statusliste.exe" "$STATUSZEILEN"
echo "   for comparison, the same lines in a multi-line text box (100 000 of them):"
"$WINE64" "$BUILD/win64/bench/bench_statusliste.exe" 100000 textbox
echo
echo "== the data grid (SQLite, and PostgreSQL on the private test server)"
"$WINE64" "$BUILD/win64/bench/bench_dbgrid.exe"
