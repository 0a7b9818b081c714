#!/usr/bin/env bash
# Whole-process comparison: times `quillmap-cli plot` on the largest range (1024 x 25, ten
# groups, 240 series, group plot with the BoxPlot mark and connecting lines) against the floor
# program, which only reads the same file and writes as many bytes as the EMF has. Prints the
# median of each, their ratio, and the peak resident memory of quillmap-cli.
#
# quillmap-cli writes its picture safely: a temporary file, fsync, rename. Two settings:
#   disk    a folder in BUILD_DIR. The floor writes the same way ("floor_copy ... atomic"), so
#           both programs wait for the disk alike: the fair comparison, and the one the target
#           applies to.
#   memory  a folder in /dev/shm (tmpfs), where fsync has nothing to wait for, and the floor
#           writes plainly: the programs' own work without the disk.
# The two programs run alternately, one run each in turn, so machine load affects both alike.
# Usage: bench/compare.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build/release}
runs=${2:-200}
for program in "$build/quillmap-cli" "$build/bench/make_large_wk1" "$build/bench/floor_copy"; do
  [[ -x $program ]] || { echo "missing $program: build with -DQUILLMAP_BENCH=ON" >&2; exit 2; }
done

# Wall time of one run in microseconds, read from the shell's own clock (no process started).
time_us() {
  local start end
  start=${EPOCHREALTIME/[.,]/}
  "$@" >/dev/null
  end=${EPOCHREALTIME/[.,]/}
  echo $((end - start))
}

median() {
  sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

# compare NAME FOLDER FLOOR_MODE: quillmap-cli against the floor in FOLDER.
compare() {
  local name=$1 work=$2 mode=$3
  "$build/bench/make_large_wk1" "$work/large.wk1"
  local cli=("$build/quillmap-cli" plot "$work/large.wk1" --split paired --connect
             --error-bar boxplot -o "$work/chart.emf")
  "${cli[@]}"
  local size
  size=$(stat -c %s "$work/chart.emf")
  local floor=("$build/bench/floor_copy" "$work/large.wk1" "$size" "$work/floor.bin" $mode)
  local q=() f=()
  for ((i = 0; i < runs; i++)); do
    q+=("$(time_us "${cli[@]}")")
    f+=("$(time_us "${floor[@]}")")
  done
  local qm fm
  qm=$(printf '%s\n' "${q[@]}" | median)
  fm=$(printf '%s\n' "${f[@]}" | median)
  echo "$name: quillmap-cli plot median ${qm} us, floor${mode:+ ($mode)} median ${fm} us," \
    "$(awk -v q="$qm" -v f="$fm" 'BEGIN {printf "ratio %.2f (target < 3)", q / f}')"
  if [[ $name == disk ]]; then
    echo "input: $(stat -c %s "$work/large.wk1") bytes WK1; output: $size bytes EMF"
    # Peak resident memory: the largest of five runs.
    local rss=0 r
    for ((i = 0; i < 5; i++)); do
      r=$(/usr/bin/time -f %M "${cli[@]}" 2>&1 >/dev/null | tail -n 1)
      if ((r > rss)); then rss=$r; fi
    done
    echo "peak resident memory of quillmap-cli: ${rss} KB (target < 16384 KB)"
  fi
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
disk=$(mktemp -d -p "$build")
memory=""
trap 'rm -rf "$disk" ${memory:+"$memory"}' EXIT
compare disk "$disk" atomic
if [[ -d /dev/shm && -w /dev/shm ]]; then
  memory=$(mktemp -d -p /dev/shm)
  compare memory "$memory" ""
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
