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

# True when some architecture's package of that name is installed ("dpkg -s" refuses a name
# installed for two architectures).
installed() {
    dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -qx installed
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
    if [ ${#need[@]} -gt 0 ]; then
        echo "Installing: ${need[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    fi
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
    for m in "${MOUNTED[@]}"; do umount "$m" 2>/dev/null || true; done
    MOUNTED=()
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

prepare_prefix() {  # runs under the display and wineserver started before
    if [ ! -f "$WINEPREFIX/.sicherung-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1 || true
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null 2>&1
        touch "$WINEPREFIX/.sicherung-ready"
    fi
    # The first process of a server starts Wine's services; let that happen outside any timed test.
    "$WINE64" cmd /c exit >/dev/null 2>&1 || true
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
        locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing+=("$l")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    if [ "$(id -u)" != 0 ] && ! { command -v sudo >/dev/null && sudo -n true 2>/dev/null; }; then
        echo "Unicode file-name tests are skipped: generating the locales ${missing[*]} needs root or sudo."
        return 0
    fi
    if [ ! -x /usr/sbin/locale-gen ]; then
        as_root apt-get update -qq
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
    start_wineserver
    prepare_prefix
    export LC_ALL=de_DE.UTF-8
}
