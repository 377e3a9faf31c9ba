# Sourced by the scripts: a failure says which step failed and what it printed.
# The logs go to $TAMAROO_LOGS (the build folder's logs/ unless set).
export TAMAROO_LOGS=${TAMAROO_LOGS:-${BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}/logs}
step_logs=${step_logs:-}

# step [--show] NAME -- COMMAND...: runs COMMAND with its output in
# $TAMAROO_LOGS/NAME.log, and on the terminal too with --show. The steps of
# one name in a script share a log, begun afresh by the first. On failure it
# says so, with the log's last lines, and returns COMMAND's status.
step() {
  local show=
  if [ "$1" = --show ]; then show=1; shift; fi
  local name=$1 log=$TAMAROO_LOGS/$1.log status=0
  shift 2
  mkdir -p "$TAMAROO_LOGS"
  if [[ " $step_logs " != *" $name "* ]]; then
    : >"$log"
    step_logs+=" $name"
  fi
  echo "\$ $*" >>"$log"
  if [ -n "$show" ]; then
    "$@" 2>&1 | tee -a "$log" || status=${PIPESTATUS[0]}
  else
    "$@" >>"$log" 2>&1 || status=$?
  fi
  if ((status)); then
    echo "tamaroo: $name failed (exit $status); its output: $log" >&2
    tail -n 20 "$log" | sed 's/^/  /' >&2
    step_told=1
  fi
  return "$status"
}

# For scripts under set -e: any other command whose failure ends the script
# names itself and where it stands.
tell_failures() {
  set -E
  trap 'say_what_failed $? "${BASH_SOURCE[0]}" $LINENO' ERR
}

say_what_failed() {
  # A subshell's failure is told by the shell that waits for it, and a step's
  # by the step, not again by the functions that return its status.
  ((BASH_SUBSHELL == 0)) || return 0
  [[ -n ${step_told:-} && $BASH_COMMAND == return* ]] && return 0
  local file=$2
  [ -z "${root:-}" ] || file=${file#"$root"/}
  echo "tamaroo: $BASH_COMMAND failed (exit $1) at $file:$3; its output, if any, is above" >&2
}
