#!/usr/bin/env bash
# Measures what the README's Benchmarks table states and prints its rows (markdown), with the
# machine and its load before and after:
#   - the steps of a plot run on the largest range (1024 x 25, ten groups, 240 series) with
#     Google Benchmark (plot_bench): medians of the CPU time of repeated runs;
#   - whole processes with pair_timer, quillmap-cli and a floor program run alternately:
#     `quillmap-cli plot` on the largest range (group plot, --split paired --connect
#     --error-bar boxplot) to EMF against floor_copy, which only reads the same file and writes
#     as many bytes as the EMF has (on disk the way quillmap-cli does: a temporary file, fsync,
#     rename; and in /dev/shm, where fsync costs nothing), and `quillmap-cli stats` on a tiny
#     text file against floor_copy reading that file and writing as many bytes as the JSON has:
#     medians of the runs and of the ratio of each pair; peak resident memory of the largest run;
#   - PNG and PDF of the largest range: time and peak memory (the render module is loaded);
#   - the desktop program from start to its main dialog shown, under Xvfb with the example
#     range on the clipboard (dialog_timer watches the X server map the window), and a redraw of
#     its preview on the largest range (preview_bench, Google Benchmark, offscreen).
# Usage: bench/report.sh [BUILD_DIR] [RUNS]   (build with -DQUILLMAP_BENCH=ON)
set -euo pipefail
build=${1:-build/release}
runs=${2:-101}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
for program in quillmap-cli bench/plot_bench bench/make_large_wk1 bench/floor_copy \
  bench/pair_timer; do
  [[ -x $build/$program ]] || { echo "missing $build/$program: build with -DQUILLMAP_BENCH=ON" >&2; exit 2; }
done
cli=$build/quillmap-cli
timer=$build/bench/pair_timer
floor=$build/bench/floor_copy

work=$(mktemp -d -p "$build")
shm=$(mktemp -d -p /dev/shm)
xvfb=""
clipboard=""
cleanup() {
  if [[ -n $clipboard ]]; then kill "$clipboard" 2>/dev/null || true; fi
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work" "$shm"
}
trap cleanup EXIT

field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<" $2"; }
ms() { awk -v us="$1" 'BEGIN {printf "%.1f ms", us / 1000}'; }
mb() { awk -v kb="$1" 'BEGIN {printf "%.1f MB", kb / 1024}'; }

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)," \
  "$(free -g | awk '/^Mem:/ {print $2}') GB"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| | target | measured |"
echo "|---|---|---|"

# Steps, Google Benchmark: the median CPU time of ten repetitions.
"$build/bench/plot_bench" --benchmark_filter='^(BM_WholePlotRun/0|BM_SeriesAndRanks/1|BM_GroupPlot/7)$' \
  --benchmark_repetitions=10 --benchmark_report_aggregates_only=true --benchmark_color=false \
  2>/dev/null >"$work/steps.txt"
# A console row: NAME_median REAL UNIT CPU UNIT ITERATIONS ...
step() {
  awk -v name="$1_median" '$1 == name {printf "%.2f ms", $4 / ($5 == "us" ? 1000 : 1)}' \
    "$work/steps.txt"
}
echo "| whole plot run, group plot with the BoxPlot mark (\`BM_WholePlotRun/0\`, CPU time) | < 3 ms | $(step BM_WholePlotRun/0) |"
echo "| series, ranks and statistics, paired split (\`BM_SeriesAndRanks/1\`) | | $(step BM_SeriesAndRanks/1) |"
echo "| group plot recorded to EMF (\`BM_GroupPlot/7\`) | | $(step BM_GroupPlot/7) |"
# The desktop program's preview: one redraw after a change, on the largest range.
if [[ -x $build/bench/preview_bench ]]; then
  "$build/bench/preview_bench" --benchmark_filter='^BM_PreviewRedraw/0$' \
    --benchmark_repetitions=10 --benchmark_report_aggregates_only=true --benchmark_color=false \
    2>/dev/null >>"$work/steps.txt"
  echo "| preview redraw in the main dialog, largest range, group plot with every option (\`BM_PreviewRedraw/0\`, CPU time) | < 50 ms | $(step BM_PreviewRedraw/0) |"
fi

# Whole processes on the largest range.
"$build/bench/make_large_wk1" "$work/large.wk1"
cp "$work/large.wk1" "$shm/large.wk1"
plot=(plot --split paired --connect --error-bar boxplot)
"$cli" "${plot[@]}" "$work/large.wk1" -o "$work/chart.emf"
emf_size=$(stat -c %s "$work/chart.emf")
disk=$("$timer" "$runs" "$cli" "${plot[@]}" "$work/large.wk1" -o "$work/chart.emf" \
  --floor "$floor" "$work/large.wk1" "$emf_size" "$work/floor.bin" atomic)
memory=$("$timer" "$runs" "$cli" "${plot[@]}" "$shm/large.wk1" -o "$shm/chart.emf" \
  --floor "$floor" "$shm/large.wk1" "$emf_size" "$shm/floor.bin")
# A pair's figures: the wall time ratio (the two medians), then the processor time ratio.
pair() {
  echo "$(field ratio "$1") ($(ms "$(field command_us "$1")") / $(ms "$(field floor_us "$1")")), processor time $(field cpu_ratio "$1")"
}
echo "| \`quillmap-cli plot\` largest range to EMF / floor, on disk (with fsync) | < 2 | $(pair "$disk") |"
echo "| \`quillmap-cli plot\` largest range to EMF / floor, in \`/dev/shm\` | | $(pair "$memory") |"
# The SVG of the same chart against its EMF, both in /dev/shm, run alternately.
svg=$("$timer" "$runs" "$cli" "${plot[@]}" "$shm/large.wk1" -o "$shm/chart.svg" \
  --floor "$cli" "${plot[@]}" "$shm/large.wk1" -o "$shm/chart.emf")
echo "| \`quillmap-cli plot\` largest range to SVG / to EMF, in \`/dev/shm\` | < 1.5 | $(pair "$svg") |"
echo "| peak resident memory of \`quillmap-cli plot\` to EMF | < 12 MB | $(mb "$(field command_kb "$disk")") (floor $(mb "$(field floor_kb "$disk")")) |"

# Start-up: stats on a four-cell text file.
printf 'Dose\nmg/L\n1.5\n2.5\n' >"$shm/tiny.txt"
json_size=$("$cli" stats "$shm/tiny.txt" | wc -c)
tiny=$("$timer" "$runs" "$cli" stats "$shm/tiny.txt" --floor "$floor" "$shm/tiny.txt" "$json_size" -)
echo "| \`quillmap-cli stats\` on a four-cell text file / floor that only reads it | < 2 | $(pair "$tiny") |"

# Instructions executed, whole processes, as valgrind counts them: the same on any load.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
if command -v valgrind >/dev/null; then
  a=$(instructions "$cli" "${plot[@]}" "$shm/large.wk1" -o "$shm/chart.emf")
  b=$(instructions "$floor" "$shm/large.wk1" "$emf_size" "$shm/floor.bin")
  c=$(instructions "$cli" stats "$shm/tiny.txt")
  d=$(instructions "$floor" "$shm/tiny.txt" "$json_size" -)
  echo "| instructions (callgrind), \`plot\` to EMF / floor; \`stats\` / floor | | $(awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN {printf "%.1fM / %.1fM; %.1fM / %.1fM", a / 1e6, b / 1e6, c / 1e6, d / 1e6}') |"
fi

# PNG and PDF through the render module, in /dev/shm; fewer runs, each loads Qt.
for format in png pdf; do
  if [[ -e $build/quillmap-render.so ]]; then
    picture=$("$timer" $(((runs + 4) / 5)) "$cli" "${plot[@]}" "$shm/large.wk1" -o "$shm/chart.$format")
    echo "| \`quillmap-cli plot\` largest range to ${format^^}: time, peak memory | | $(ms "$(field command_us "$picture")"), $(mb "$(field command_kb "$picture")") |"
  else
    echo "| \`quillmap-cli plot\` largest range to ${format^^} | | (no render module built) |"
  fi
done

# The desktop program under Xvfb: from start to the main dialog shown. Sets `desktop`.
measure_desktop() {
  local quillmap=$build/app/quillmap dialog_timer=$build/bench/dialog_timer
  desktop="(desktop program not built)"
  [[ -x $quillmap && -x $dialog_timer ]] || return 0
  local tool
  for tool in Xvfb xclip xdotool; do
    desktop="($tool missing)"
    command -v "$tool" >/dev/null || return 0
  done
  local display="" number
  for number in $(seq 141 190); do
    if [[ ! -e /tmp/.X11-unix/X$number && ! -e /tmp/.X$number-lock ]]; then
      display=:$number
      break
    fi
  done
  desktop="(no free X display)"
  [[ -n $display ]] || return 0
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  # The example range as a spreadsheet copies it, tab-separated text; xclip keeps serving it,
  # in the foreground (-quiet) so that it is the process ended at the end.
  xclip -quiet -selection clipboard -i "$source_dir/examples/treatment.tsv" >/dev/null 2>&1 &
  clipboard=$!
  sleep 0.2
  # A desktop session's folders: a home with a Desktop, a private runtime folder.
  mkdir -p "$work/home/Desktop" "$work/runtime"
  chmod 700 "$work/runtime"
  local i
  for ((i = 0; i <= 20; i++)); do  # the first run is the warm-up
    HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb \
      "$dialog_timer" Quillmap "$quillmap" >>"$work/dialog.txt" ||
      { desktop="(the dialog was not shown)"; return 0; }
  done
  desktop=$(tail -n +2 "$work/dialog.txt" | sort -n |
    awk '{a[NR] = $1} END {printf "%.0f ms (median of %d)", a[int((NR + 1) / 2)], NR}')
}
measure_desktop
echo "| desktop program, start to the main dialog shown (Xvfb, range on the clipboard) | | $desktop |"

echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
