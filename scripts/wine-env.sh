# Sourced by the scripts: the Wine environment that builds, runs and tests use.
# Japanese code page (932) unless the caller already chose a locale.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${LC_ALL:-ja_JP.UTF-8}
# The screen size the position tests expect.
export XVFB_ARGS="-screen 0 1366x768x24"
export TAMAROO_LOGS=${TAMAROO_LOGS:-$BUILD_DIR/logs}
source "$root/scripts/step.sh"

# Creates the prefix once, with Wine's output in $TAMAROO_LOGS/wine-prefix.log;
# wineboot needs no display.
wine_prefix() {
  [ -f "$WINEPREFIX/.tamaroo-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  # On a fresh machine the first wineboot has failed where a second, with a
  # new Wine server, did not.
  if ! step wine-prefix -- wineboot -i; then
    echo "tamaroo: trying wineboot once more, after wineserver -k" >&2
    wineserver -k >>"$TAMAROO_LOGS/wine-prefix.log" 2>&1 || true
    step wine-prefix -- wineboot -i
  fi
  # No window manager here: unmanaged windows hide without Wine's 2-second wait.
  step wine-prefix -- wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
  step wine-prefix -- wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  step wine-prefix -- wineserver -w
  touch "$WINEPREFIX/.tamaroo-ready"
}

# Makes $BUILD_DIR/$1 once: a copy of the prefix for runs that need a Wine
# server of their own (another screen size; with $2, another LogPixels, as
# Wine reads it when its server starts). Made before the tests run: a copy
# taken while tests make and remove their folders in the prefix fails.
wine_prefix_copy() {
  local copy=$BUILD_DIR/$1
  [ -d "$copy" ] && return 0
  rm -rf "$copy.tmp"
  step "$1" -- cp -a "$WINEPREFIX" "$copy.tmp" || return
  if [ -n "${2:-}" ]; then
    step "$1" -- env WINEPREFIX="$copy.tmp" \
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f || return
    WINEPREFIX="$copy.tmp" wineserver -w
  fi
  mv "$copy.tmp" "$copy"
}

# Configures and builds everything (program, tests, benchmarks); warnings
# are errors in CI.
build_all() {
  step configure -- cmake -S "$root" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DTAMAROO_WERROR="$([ -n "${CI:-}" ] && echo ON || echo OFF)" || return
  step --show build -- cmake --build "$BUILD_DIR"
}

# Everything a run needs: packages, the build, the prefix.
prepare() {
  "$root/scripts/install-deps.sh"
  build_all
  wine_prefix
  # The 240x320 screen and 150 % of the About tests.
  wine_prefix_copy wine-narrow
  wine_prefix_copy wine-dpi-144 144
}
