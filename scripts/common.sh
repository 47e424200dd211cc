# Shared by test.sh and run.sh: installs what is missing, builds, and runs Windows programs
# under a private Wine prefix with a virtual display and one persistent wineserver.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${SICHERUNG_BUILD:-$ROOT/build}
WINE64=/usr/lib/wine/wine64
JOBS=${JOBS:-2}

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local need=()
    command -v cmake >/dev/null || need+=(cmake)
    command -v make >/dev/null || need+=(make)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
    command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
    command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
    command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
    [ -x "$WINE64" ] || need+=(wine64 wine)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v xwd >/dev/null || need+=(x11-apps)
    command -v convert >/dev/null || need+=(imagemagick)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    [ -d /usr/share/wine/fonts ] && ls /usr/share/wine/fonts/tahoma* >/dev/null 2>&1 || need+=(fonts-wine)
    # The data tests reach SQLite through the host's ODBC driver manager (Wine's odbc32 passes on).
    installed unixodbc || need+=(unixodbc)
    installed libodbc2 || need+=(libodbc2)
    installed libsqliteodbc || need+=(libsqliteodbc)
    # The server cases run against a private PostgreSQL server reached through its ODBC driver.
    ls /usr/lib/postgresql/*/bin/initdb >/dev/null 2>&1 || need+=(postgresql)
    installed odbc-postgresql || need+=(odbc-postgresql)
    if [ ${#need[@]} -gt 0 ]; then
        echo "Installing: ${need[*]}"
        apt_update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    fi
    install_wine32
}

# Once i386 is a foreign architecture, an index of some suite may fail to download and
# apt-get update exits non-zero although the indexes we need are there: callers check for
# what they need instead.
apt_update() {
    as_root apt-get update -qq >/dev/null 2>&1 || true
}

installed() {  # package[:arch] ...: true when every one is installed
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || return 1
    done
}

# Wine's 32-bit part, which runs the 32-bit product, and the 32-bit ODBC pieces for its data
# tests. A plain install fails on Debian images whose amd64 libraries come from a suite that
# has no i386 index, or are older than any index: libraries installed for both architectures
# must have the same version. So, for this one install only, suites without an i386 index rank
# low, and a library whose two candidates still differ is held at the newest version both offer.
install_wine32() {
    local want=(wine32:i386 libodbc2:i386 libsqliteodbc:i386) need=() p
    for p in "${want[@]}"; do installed "$p" || need+=("$p"); done
    [ ${#need[@]} -gt 0 ] || return 0
    if [ "$(dpkg --print-architecture 2>/dev/null)" != amd64 ]; then
        echo "Wine's 32-bit part is missing and cannot be installed on this machine: the 32-bit tests fail." >&2
        return 0
    fi
    echo "Installing Wine's 32-bit part: ${need[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    apt_update
    if ! ls /var/lib/apt/lists/*_binary-i386_Packages* >/dev/null 2>&1; then
        echo "No i386 package index could be downloaded; Wine's 32-bit part is not installed." >&2
        return 1
    fi
    local prefs sim
    prefs=$(mktemp) sim=$(mktemp)
    wine32_preferences "$prefs"
    local apt=(apt-get -o Dir::Etc::Preferences="$prefs" -o APT::Get::Upgrade-By-Source-Package=false
        --no-install-recommends --allow-downgrades)
    if ! "${apt[@]}" -s install "${need[@]}" >"$sim" 2>&1; then
        echo "Wine's 32-bit part cannot be installed:" >&2
        tail -5 "$sim" >&2
        rm -f "$prefs" "$sim"
        return 1
    fi
    if grep -q '^Remv ' "$sim"; then
        echo "Wine's 32-bit part is not installed: apt would remove $(grep '^Remv ' "$sim" | cut -d' ' -f2 | tr '\n' ' ')" >&2
        rm -f "$prefs" "$sim"
        return 1
    fi
    as_root env DEBIAN_FRONTEND=noninteractive "${apt[@]}" -y -qq install "${need[@]}" >/dev/null
    rm -f "$prefs" "$sim"
}

# Preferences for the install above, written to file $1.
wine32_preferences() {
    local out=$1 f base rel
    # Every suite with an amd64 index but no i386 index ranks below the others.
    for f in /var/lib/apt/lists/*_binary-amd64_Packages*; do
        base=${f%_binary-amd64_Packages*}
        compgen -G "${base}_binary-i386_Packages*" >/dev/null && continue
        rel=$base
        while [ "$rel" != "${rel%_*}" ] && [ ! -f "${rel}_InRelease" ] && [ ! -f "${rel}_Release" ]; do
            rel=${rel%_*}
        done
        sed -n 's/^Codename: *//p' "${rel}_InRelease" "${rel}_Release" 2>/dev/null || true
    done | sort -u | while read -r codename; do
        printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$codename"
    done >"$out"
    # Libraries installed for amd64 that must match on i386: where the candidates of the two
    # architectures differ, both are held at the newest version offered for both.
    local pairs
    pairs=$(dpkg-query -W -f='${Package} ${Architecture} ${Multi-Arch}\n' |
        awk '$2 == "amd64" && $3 == "same" { print $1 ":amd64", $1 ":i386" }') || true
    # shellcheck disable=SC2086
    apt-cache -o Dir::Etc::Preferences="$out" policy $pairs 2>/dev/null | awk '
        /^[^ ].*:$/ {
            name = $0; sub(/:$/, "", name); arch = "amd64"
            if (name ~ /:i386$/) arch = "i386"
            sub(/:(i386|amd64)$/, "", name); names[name] = 1; next
        }
        /^  Candidate:/ { cand[name, arch] = $2; next }
        /^ (\*\*\*|   ) [^ ]+ -?[0-9]+$/ {
            v = ($1 == "***") ? $2 : $1
            if (arch == "amd64") order[name] = order[name] " " v
            offered[name, arch, v] = 1
        }
        END {
            for (n in names) {
                a = cand[n, "amd64"]; i = cand[n, "i386"]
                if (a == "" || i == "" || a == "(none)" || i == "(none)" || a == i) continue
                k = split(order[n], vs, " ")
                for (j = 1; j <= k; j++) if (offered[n, "i386", vs[j]]) {
                    printf "Package: %s:amd64 %s:i386\nPin: version %s\nPin-Priority: 1001\n\n", n, n, vs[j]
                    break
                }
            }
        }' >>"$out"
}

configure_and_build() {  # $1 = win32|win64, then extra cmake options; BUILD_TARGET limits the build
    local target=$1; shift
    local dir=$BUILD/$target
    local launcher=()
    # A compiler cache, where one is installed, shared by every checkout of the tree.
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR=$ROOT
    fi
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$target.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
}

STARTED_XVFB=""
STARTED_WINESERVER=""
MOUNTED=()

# A full and a read-only medium for the tests that need them (root only; the tests skip otherwise).
# Seen from Wine through drive Z:, exported as SICHERUNG_VOLL and SICHERUNG_NURLESEN.
mount_media() {
    local base=$BUILD/win64/media
    [ "$(id -u)" = 0 ] || return 0
    mkdir -p "$base/voll" "$base/nurlesen"
    mountpoint -q "$base/voll" || mount -t tmpfs -o size=2m tmpfs "$base/voll" 2>/dev/null || return 0
    MOUNTED+=("$base/voll")
    mountpoint -q "$base/nurlesen" || mount -t tmpfs -o size=1m tmpfs "$base/nurlesen" 2>/dev/null || return 0
    MOUNTED+=("$base/nurlesen")
    mkdir -p "$base/nurlesen/Ordner"
    echo "[Tam_Main]" > "$base/nurlesen/Einstellungen.ini"
    mount -o remount,ro "$base/nurlesen" 2>/dev/null || return 0
    export SICHERUNG_VOLL="Z:$(echo "$base/voll" | tr / '\\')"
    export SICHERUNG_NURLESEN="Z:$(echo "$base/nurlesen" | tr / '\\')"
}

stop_started() {
    # Stop exactly what we started, by process id.
    local m
    stop_postgres
    for m in "${MOUNTED[@]}"; do umount "$m" 2>/dev/null || true; done
    MOUNTED=()
    if [ -n "$STARTED_KEEPER" ]; then
        kill "$STARTED_KEEPER" 2>/dev/null || true
        exec {KEEPER_FD}>&-
        STARTED_KEEPER=""
    fi
    if [ -n "$STARTED_WINESERVER" ]; then
        WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
        kill "$STARTED_WINESERVER" 2>/dev/null || true
        wait "$STARTED_WINESERVER" 2>/dev/null || true
        STARTED_WINESERVER=""
    fi
    if [ -n "$STARTED_XVFB" ]; then
        kill "$STARTED_XVFB" 2>/dev/null || true
        wait "$STARTED_XVFB" 2>/dev/null || true
        STARTED_XVFB=""
    fi
}

start_display() {  # a free display number, Xvfb on it
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB=$!
    export DISPLAY=":$n"
    # A bare virtual display has no resources, unlike a desktop session (see the file).
    export XENVIRONMENT=$ROOT/scripts/xressourcen
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        kill -0 "$STARTED_XVFB" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

use_prefix() {  # $1 = prefix folder
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
}

# A prefix takes its regional settings once, when it is made, and can start 32-bit programs only
# when it was made after Wine's 32-bit part was installed. So it is made after the locales exist
# and under the German locale, its LocaleName is read once and kept in the stamp, and a prefix
# whose stamp or 32-bit part is not right is made anew.
# An unfit prefix goes before the persistent server starts: a server belongs to the folder it
# was started in, so one left serving a removed folder is never found again, and every program
# started later would start (and wait for) a short-lived server of its own.
remove_unfit_prefix() {  # with LC_ALL set, before start_wineserver
    if ! prefix_fits "$WINEPREFIX/.sicherung-ready" "$(wanted_locale_name)"; then
        [ -e "$WINEPREFIX" ] && echo "Making the Wine prefix anew: $WINEPREFIX"
        rm -rf "$WINEPREFIX"
    fi
    return 0
}

wanted_locale_name() {
    if locale_present de_DE.UTF-8; then echo de-DE; fi
}

prepare_prefix() {  # runs under the display and wineserver started before, with LC_ALL set
    local stamp=$WINEPREFIX/.sicherung-ready wanted
    wanted=$(wanted_locale_name)
    if [ ! -f "$stamp" ]; then
        "$WINE64" wineboot -i >/dev/null 2>&1 || true
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null 2>&1
        local name
        name=$("$WINE64" reg query 'HKCU\Control Panel\International' /v LocaleName 2>/dev/null |
            tr -d '\r' | awk '$1 == "LocaleName" { print $3 }')
        echo "LocaleName=${name:-?}" >"$stamp"
        if [ -n "$wanted" ] && [ "$name" != "$wanted" ]; then
            echo "The new Wine prefix has the regional settings ${name:-?} instead of $wanted." >&2
        fi
    fi
    keep_desktop
    # The first process of a server starts Wine's services; let that happen outside any timed test.
    "$WINE64" cmd /c exit >/dev/null 2>&1 || true
}

# Wine closes the desktop (its explorer process) shortly after the last program on it ended, and
# the next program starts it anew: a second of start-up, and a caller reading the program's output
# waits for that explorer to end too. One idle command interpreter, reading from a pipe nobody
# writes to, keeps the desktop open until the server stops.
STARTED_KEEPER=""
keep_desktop() {
    local fifo=$WINEPREFIX/.desktop-halter
    rm -f "$fifo"
    mkfifo "$fifo"
    exec {KEEPER_FD}<>"$fifo"
    "$WINE64" cmd <"$fifo" >/dev/null 2>&1 &
    STARTED_KEEPER=$!
}

# Wine's 32-bit part is there and this machine's kernel runs 32-bit code (some kernels have no
# 32-bit compatibility: 32-bit programs fail there with "Exec format error").
runs_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

prefix_fits() {  # stamp file, wanted LocaleName (empty: any)
    [ -f "$1" ] || return 1
    if runs_32bit && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        return 1
    fi
    grep -qx "LocaleName=${2:-.*}" "$1"
}

locale_present() {  # e.g. de_DE.UTF-8
    locale -a 2>/dev/null | grep -qix "${1/UTF-8/utf8}"
}

start_wineserver() {
    mkdir -p "$WINEPREFIX"
    setsid wineserver -f -p >/dev/null 2>&1 &
    STARTED_WINESERVER=$!
    sleep 0.3
}

# The German and English locales on the Unix side. Without them Wine cannot tell how names made
# on Linux are encoded and every non-ASCII file name crossing over arrives mangled.
ensure_locales() {
    local wanted=(de_DE.UTF-8 en_US.UTF-8) missing=() l
    for l in "${wanted[@]}"; do
        locale_present "$l" || missing+=("$l")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    if [ "$(id -u)" != 0 ] && ! { command -v sudo >/dev/null && sudo -n true 2>/dev/null; }; then
        echo "Unicode file-name tests are skipped: generating the locales ${missing[*]} needs root or sudo."
        return 0
    fi
    if [ ! -x /usr/sbin/locale-gen ]; then
        apt_update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends locales >/dev/null
    fi
    for l in "${missing[@]}"; do
        if [ -f /etc/locale.gen ] && grep -q "^# *$l UTF-8" /etc/locale.gen; then
            as_root sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
        else
            echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        fi
    done
    as_root locale-gen >/dev/null
    # Ubuntu's locale-gen also takes the names themselves.
    locale -a 2>/dev/null | grep -qix de_DE.utf8 || as_root locale-gen "${missing[@]}" >/dev/null || true
}

# The whole environment for running Windows programs: prefix, display, server, German locale.
start_wine_env() {
    ensure_locales
    trap stop_started EXIT INT TERM
    use_prefix "$BUILD/win64/wineprefix"
    [ -n "${KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ] || start_display
    export LC_ALL=de_DE.UTF-8
    remove_unfit_prefix
    start_wineserver
    prepare_prefix
}

# A private PostgreSQL server for the tests: a fresh cluster in a temporary folder, run by an
# unprivileged user (the server refuses root), listening on 127.0.0.1 only on a free port. The
# tests find it through SICHERUNG_POSTGRES (an ODBC connection string); without it they skip
# their server cases and say why. Stopped and removed by stop_postgres, also on failure.
PG_DATA=""
start_postgres() {
    unset SICHERUNG_POSTGRES
    local bin run=() port log
    bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
    if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL cases are skipped: no PostgreSQL server is installed."
        return 0
    fi
    if ! odbcinst -q -d -n "PostgreSQL Unicode" >/dev/null 2>&1; then
        echo "PostgreSQL cases are skipped: the ODBC driver \"PostgreSQL Unicode\" is not installed."
        return 0
    fi
    PG_DATA=$(mktemp -d /tmp/sicherung-pg.XXXXXX)
    if [ "$(id -u)" = 0 ]; then
        if ! id postgres >/dev/null 2>&1; then
            echo "PostgreSQL cases are skipped: running as root, and there is no user postgres to run the server."
            rm -rf "$PG_DATA"; PG_DATA=""
            return 0
        fi
        chown postgres "$PG_DATA"
        run=(runuser -u postgres --)
    fi
    chmod 700 "$PG_DATA"
    log=$PG_DATA/server.log
    if ! "${run[@]}" "$bin/initdb" -D "$PG_DATA/data" -U postgres -A trust -E UTF8 --no-locale >"$PG_DATA/initdb.log" 2>&1; then
        echo "PostgreSQL cases are skipped: initdb failed ($(tail -n 1 "$PG_DATA/initdb.log"))."
        stop_postgres
        return 0
    fi
    # A port nobody listens on; the server itself refuses one taken meanwhile, then we try again.
    local try
    for try in 1 2 3 4 5; do
        port=$((20000 + RANDOM % 30000))
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
        if "${run[@]}" "$bin/pg_ctl" -D "$PG_DATA/data" -l "$log" -w -t 60 \
            -o "-p $port -k $PG_DATA -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null 2>&1; then
            export SICHERUNG_POSTGRES="Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=$port;Database=postgres;Uid=postgres;Pwd=;"
            echo "PostgreSQL test server on 127.0.0.1:$port ($PG_DATA)"
            return 0
        fi
    done
    echo "PostgreSQL cases are skipped: the test server did not start ($(tail -n 1 "$log" 2>/dev/null))."
    stop_postgres
}

stop_postgres() {
    [ -n "$PG_DATA" ] || return 0
    local bin pid
    bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
    if [ -f "$PG_DATA/data/postmaster.pid" ]; then
        pid=$(head -n 1 "$PG_DATA/data/postmaster.pid")
        if [ "$(id -u)" = 0 ]; then
            runuser -u postgres -- "$bin/pg_ctl" -D "$PG_DATA/data" -m fast -w stop >/dev/null 2>&1 || true
        else
            "$bin/pg_ctl" -D "$PG_DATA/data" -m fast -w stop >/dev/null 2>&1 || true
        fi
        # A server that would not stop is ended by the process id its data folder names.
        [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$PG_DATA"
    PG_DATA=""
    unset SICHERUNG_POSTGRES
}
