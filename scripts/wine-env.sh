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

# Creates the prefix once; wineboot needs no display.
wine_prefix() {
  [ -f "$WINEPREFIX/.tamaroo-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # No window manager here: unmanaged windows hide without Wine's 2-second wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
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
  cp -a "$WINEPREFIX" "$copy.tmp" || return 1
  if [ -n "${2:-}" ]; then
    WINEPREFIX="$copy.tmp" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f \
      >/dev/null 2>&1 || return 1
    WINEPREFIX="$copy.tmp" wineserver -w
  fi
  mv "$copy.tmp" "$copy"
}

# Configures and builds everything (program, tests, benchmarks); warnings
# are errors in CI.
build_all() {
  cmake -S "$root" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DTAMAROO_WERROR="$([ -n "${CI:-}" ] && echo ON || echo OFF)" >/dev/null
  cmake --build "$BUILD_DIR"
}

# Everything a run needs: packages, the build, the prefix.
prepare() {
  "$root/scripts/install-deps.sh"
  build_all
  wine_prefix
  # The 240x320 screen and 150 % of the About tests.
  wine_prefix_copy wine-narrow && wine_prefix_copy wine-dpi-144 144
}
