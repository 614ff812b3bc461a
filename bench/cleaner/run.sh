#!/usr/bin/env bash
# Times Sweepkin.exe emptying a tree of 100,000 two-day-old files in 5,000 folders,
# against rm -rf and cmd's rd /s /q under the same Wine, each pinned to one core. The
# tree is made again before every run (hyperfine --prepare), and the cleaner finds it
# through TMP/TEMP. Figures only: slow timings never make it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

usage() {
  cat <<EOF2
Usage: bench/cleaner/run.sh [--build-dir DIR] [--tree DIR] [--runs N]
  --build-dir DIR  win32 build folder holding Sweepkin.exe (default: build/win32)
  --tree DIR       scratch folder made (and deleted) by every run (default: build/cleaner-bench-tree)
  --runs N         timed runs of each command (default: 3; making the tree takes a while)
EOF2
}

build_dir=$root/build/win32
tree=$root/build/cleaner-bench-tree
runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --tree) tree=$(realpath -m "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

# The tree is deleted by every command: it must be a folder of its own, never one
# that already holds something else.
if [ -e "$tree" ] && [ ! -f "$tree.cleaner-bench" ]; then
  echo "refusing to use $tree: it exists and was not made by this script" >&2
  exit 2
fi

if ! built=$(cmake --build "$build_dir" --target cleaner_bench 2>&1); then
  echo "$built" >&2
  exit 1
fi
cleaner=$build_dir/Sweepkin.exe

source "$root/bench/wine-bench-env"
klarvik_bench_wine "$build_dir"
# No window is shown by any command, so no display is needed.
export DISPLAY=

touch "$tree.cleaner-bench"
make="rm -rf '$tree'; python3 '$root/bench/cleaner/make_old_tree.py' '$tree'"
win_tree=$(wine winepath -w "$tree" 2>/dev/null | tr -d '\r')
win_cleaner=$(wine winepath -w "$cleaner" 2>/dev/null | tr -d '\r')
# cmd sets the variables without the space before "&&"; build paths hold no spaces.
sweep="taskset -c 0 wine cmd /c 'set TMP=$win_tree&& set TEMP=$win_tree&& $win_cleaner /del' </dev/null"
rd="taskset -c 0 wine cmd /c 'rd /s /q $win_tree' </dev/null"

echo "== checking that the cleaner empties the tree"
eval "$make"
eval "$sweep"
left=$(find "$tree" -mindepth 1 | wc -l)
echo "entries left below the tree after Sweepkin: $left"
if [ "$left" != 0 ]; then
  echo "MISMATCH: the cleaner left entries in a tree that is all old" >&2
  exit 1
fi

echo "== timing ($runs runs each, tree made again before each)"
json=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$json" "$tree" "$tree.cleaner-bench"' EXIT
hyperfine --runs "$runs" --prepare "$make" --export-json "$json" \
  -n "rm -rf" "taskset -c 0 rm -rf '$tree'" \
  -n "Sweepkin" "$sweep" \
  -n "rd /s /q" "$rd"

klarvik_ratio "$json" "Sweepkin" "rm -rf" "target at most 1.3x"
klarvik_ratio "$json" "rd /s /q" "Sweepkin" "target at least 3x"
