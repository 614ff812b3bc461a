#!/usr/bin/env bash
# Times Sweepkin.exe emptying a tree of 100,000 two-day-old files in 5,000 folders,
# against a plain DeleteFileW/RemoveDirectoryW walk of the same tree under the same Wine
# (Wine's own floor for deleting), rm -rf (native, far below anything under Wine) and
# cmd's rd /s /q, each pinned to one core. The tree is made again before every run
# (hyperfine --prepare), and the cleaner finds it through TMP/TEMP. Figures only: slow
# timings never make it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<EOF2
Usage: bench/cleaner/run.sh [--build-dir DIR] [--tree DIR] [--runs N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --tree DIR       scratch folder made (and deleted) by every run (default: build/cleaner-bench-tree)
  --runs N         timed runs of each command (default: 3; making the tree takes a while)
  --floor-only     time only Sweepkin and the plain walk (rd /s /q takes minutes a run)
EOF2
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
tree=$root/build/cleaner-bench-tree
runs=3
floor_only=no
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --tree) tree=$(realpath -m "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --floor-only) floor_only=yes; shift ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

# The tree is deleted by every command: it must be a folder of its own, never one
# that already holds something else.
if [ -e "$tree" ] && [ ! -f "$tree.cleaner-bench" ]; then
  klarvik_die "refusing to use $tree: it exists and was not made by this script."
fi

klarvik_bench_build "$build_dir" cleaner_bench
cleaner=$build_dir/Sweepkin.exe
walker=$build_dir/bench/cleaner/plain_delete_walk.exe

klarvik_bench_wine "$build_dir"
# No window is shown by any command, so no display is needed.
export DISPLAY=

touch "$tree.cleaner-bench"
make="rm -rf '$tree'; python3 '$root/bench/cleaner/make_old_tree.py' '$tree'"
win_tree=$("$WINELOADER" winepath -w "$tree" 2>/dev/null | tr -d '\r')
win_cleaner=$("$WINELOADER" winepath -w "$cleaner" 2>/dev/null | tr -d '\r')
[ -n "$win_tree" ] && [ -n "$win_cleaner" ] || klarvik_die "winepath could not name $tree and $cleaner for Wine."
# cmd sets the variables without the space before "&&"; build paths hold no spaces.
sweep="taskset -c 0 '$WINELOADER' cmd /c 'set TMP=$win_tree&& set TEMP=$win_tree&& $win_cleaner /del' </dev/null"
walk="taskset -c 0 '$WINELOADER' '$walker' '$win_tree' </dev/null"
rd="taskset -c 0 '$WINELOADER' cmd /c 'rd /s /q $win_tree' </dev/null"

# Both deleters must empty the whole tree, or their times say nothing.
expect_emptied() {
  local left
  left=$(find "$tree" -mindepth 1 | wc -l)
  echo "entries left below the tree after $1: $left"
  [ "$left" = 0 ] || klarvik_die "MISMATCH: $1 left entries in a tree that is all old."
}
echo "== checking that the cleaner and the plain walk empty the tree"
eval "$make"
eval "$sweep" || klarvik_die "Sweepkin failed on the tree (exit status $?)."
expect_emptied Sweepkin
eval "$make"
eval "$walk" || klarvik_die "the plain delete walk failed on the tree (exit status $?)."
expect_emptied "the plain walk"

echo "== timing ($runs runs each, tree made again before each)"
json=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$json" "$tree" "$tree.cleaner-bench"' EXIT
if [ "$floor_only" = yes ]; then
  hyperfine --runs "$runs" --prepare "$make" --export-json "$json" \
    -n "DeleteFileW walk" "$walk" \
    -n "Sweepkin" "$sweep"
  klarvik_ratio "$json" "Sweepkin" "DeleteFileW walk" "Wine's floor; target at most 1.2x"
  exit 0
fi
hyperfine --runs "$runs" --prepare "$make" --export-json "$json" \
  -n "rm -rf" "taskset -c 0 rm -rf '$tree'" \
  -n "DeleteFileW walk" "$walk" \
  -n "Sweepkin" "$sweep" \
  -n "rd /s /q" "$rd"

klarvik_ratio "$json" "Sweepkin" "DeleteFileW walk" "Wine's floor; target at most 1.2x"
klarvik_ratio "$json" "Sweepkin" "rm -rf" "native, for scale"
klarvik_ratio "$json" "rd /s /q" "Sweepkin" "target at least 3x"
