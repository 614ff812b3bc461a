#!/usr/bin/env bash
# Times IsProcessRunning (process_poll_bench.exe) under Wine on one core, with the
# processes of a Wine session running. Figures only: a slow poll never makes it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

usage() {
  cat <<USAGE
Usage: bench/process_poll/run.sh [--build-dir DIR] [--polls N]
  --build-dir DIR  win32 build folder holding bench/process_poll/process_poll_bench.exe (default: build/win32)
  --polls N        timed polls of each kind (default: 2000)
USAGE
}

build_dir=$root/build/win32
polls=2000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --polls) polls=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

# Without a display, run the whole script inside one private Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --polls "$polls"
fi

if ! built=$(cmake --build "$build_dir" --target process_poll_bench 2>&1); then
  echo "$built" >&2
  exit 1
fi
exe=$build_dir/bench/process_poll/process_poll_bench.exe

# A prefix of its own: stopping its server cannot disturb tests running in the project's.
export KLARVIK_WINEPREFIX=${KLARVIK_WINEPREFIX:-$build_dir/wineprefix-bench}
source "$root/scripts/wine-env"
klarvik_wine_prefix
# A persistent server on the same core as the timed program, and the session's own
# processes (services, devices) started beforehand: they are part of every real list.
wineserver -k 2>/dev/null || true
taskset -c 0 wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
taskset -c 0 wine cmd /c exit >/dev/null 2>&1 </dev/null

taskset -c 0 "$root/scripts/wine-exec" "$exe" "$polls" | tr -d '\r'
