#!/usr/bin/env bash
# Builds the fuzz targets natively with clang and runs each for the given
# number of seconds (20 by default), starting from the seeds in fuzz/corpus.
# What a target finds is saved as build-native/findings/<target>-crash-...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/native-env.sh"
tell_failures
seconds=${1:-20}

# Each target with its longest input: paths stay within MAX_PATH, settings are
# short, a shortcut or dragged link needs a few lines, a title a few hundred characters,
# a bookmark file a few folders of links, three names MAX_PATH characters each
# in UTF-16, a URL as a shortcut holds it, a query with a bookmark, a site
# picture or its data URL.
targets=(bmp_file:65536 integer_text:64 ansi_path:260 internet_shortcut:4096 shortcut_name:512 bookmark_file:65536
  name_order:1566 page_key:4096 finder:4096 favicon:70000)
names=()
for t in "${targets[@]}"; do names+=("fuzz_${t%%:*}"); done
# The build says only when it fails; its log is $TAMAROO_LOGS/native-build.log.
build_native "${names[@]}" >/dev/null

mkdir -p "$NATIVE_DIR/findings"
failed=0
for t in "${targets[@]}"; do
  name=${t%%:*}
  work="$NATIVE_DIR/corpus/$name"
  mkdir -p "$work"
  log="$NATIVE_DIR/findings/$name.log"
  if "$NATIVE_DIR/fuzz_$name" -max_total_time="$seconds" -max_len="${t##*:}" -print_final_stats=1 \
      -artifact_prefix="$NATIVE_DIR/findings/$name-" "$work" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") executions, clean"
  else
    failed=1
    echo "tamaroo: fuzz target $name failed; its output: $log" >&2
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || tail -n 20 "$log" >&2
  fi
done
exit $failed
