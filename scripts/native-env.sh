# Sourced by the scripts: the native clang build of the pure units, with
# AddressSanitizer and UndefinedBehaviorSanitizer (fuzz targets and tests).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NATIVE_DIR=${NATIVE_DIR:-$root/build-native}
export TAMAROO_LOGS=${TAMAROO_LOGS:-$NATIVE_DIR/logs}
source "$root/scripts/step.sh"

# Installs clang once, then configures and builds the given targets (all when none).
build_native() {
  "$root/scripts/install-deps.sh" clang cmake ninja-build googletest
  step native-configure -- cmake -S "$root/fuzz" -B "$NATIVE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DTAMAROO_WERROR="$([ -n "${CI:-}" ] && echo ON || echo OFF)" || return
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  step --show native-build -- cmake --build "$NATIVE_DIR" "${targets[@]}"
}
