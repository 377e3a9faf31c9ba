# Sourced by the scripts: the native clang build of the pure units, with
# AddressSanitizer and UndefinedBehaviorSanitizer (fuzz targets and tests).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NATIVE_DIR=${NATIVE_DIR:-$root/build-native}

# Installs clang once, then configures and builds the given targets (all when none).
build_native() {
  "$root/scripts/install-deps.sh" clang cmake ninja-build googletest
  cmake -S "$root/fuzz" -B "$NATIVE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DTAMAROO_WERROR="$([ -n "${CI:-}" ] && echo ON || echo OFF)" >/dev/null
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$NATIVE_DIR" "${targets[@]}"
}
