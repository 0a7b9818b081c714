#!/usr/bin/env bash
# Whole-process comparison: times `quillmap-cli plot` on the largest range (1024 x 25, ten
# groups, 240 series, group plot with the BoxPlot mark) against the floor program, which only
# reads the same file and writes as many bytes as the EMF has. Prints the median of each, their
# ratio, and the peak resident memory of quillmap-cli.
# Usage: bench/compare.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build/release}
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_large_wk1" "$work/large.wk1"
cli=("$build/quillmap-cli" plot "$work/large.wk1" --split paired --connect --error-bar boxplot
     -o "$work/chart.emf")
"${cli[@]}"
size=$(stat -c %s "$work/chart.emf")
floor=("$build/bench/floor_copy" "$work/large.wk1" "$size" "$work/floor.bin")

# Median wall time in microseconds of RUNS runs of a command, alternating with nothing else.
median() {
  local times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

# Interleave the two so that machine load affects both alike.
q=() f=()
for ((round = 0; round < 5; round++)); do
  q+=("$(median "${cli[@]}")")
  f+=("$(median "${floor[@]}")")
done
qm=$(printf '%s\n' "${q[@]}" | sort -n | sed -n 3p)
fm=$(printf '%s\n' "${f[@]}" | sort -n | sed -n 3p)
rss=$(/usr/bin/time -f %M "${cli[@]}" 2>&1 >/dev/null | tail -n 1)
echo "input: $(stat -c %s "$work/large.wk1") bytes WK1; output: $size bytes EMF"
echo "quillmap-cli plot: median ${qm} us"
echo "floor:             median ${fm} us"
awk -v q="$qm" -v f="$fm" 'BEGIN {printf "ratio: %.2f (target < 3)\n", q / f}'
echo "peak resident memory of quillmap-cli: ${rss} KB (target < 16384 KB)"
