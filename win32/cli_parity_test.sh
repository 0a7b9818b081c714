#!/usr/bin/env bash
# quillmap-cli.exe under Wine writes the same bytes as quillmap-cli on Linux: the grid and the
# statistics as JSON, and the EMF, the SVG and the trace of every bundled example under several
# options, with the same exit status and messages; and its .png is a PNG.
# Usage: cli_parity_test.sh LINUX_CLI WINDOWS_CLI EXAMPLES_FOLDER WINE_SESSION_SCRIPT SESSION_DIR
set -uo pipefail
linux=$1
windows=$2
examples=$3
session=$4
dir=$5
if [ ! -x "$linux" ]; then
  echo "no Linux quillmap-cli at '$linux': build the release preset first"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
# Runs one command line on both builds, in folders of their own, and compares everything.
compare() {
  local label=$1
  shift
  rm -rf "$work/linux" "$work/windows"
  mkdir -p "$work/linux" "$work/windows"
  (cd "$work/linux" && "$linux" "$@" >stdout 2>stderr; echo $? >status)
  (cd "$work/windows" && "$session" run "$dir" "$windows" "$@" >stdout 2>stderr; echo $? >status)
  if diff -r "$work/linux" "$work/windows" >"$work/diff"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "DIFFERENT: $label"
    head -n 20 "$work/diff"
  fi
}

options=(
  ""
  "--error-bar sd --blue"
  "--error-bar sem --line01 --connect"
  "--log --error-bar boxplot"
  "--log --error-bar median-se --line01"
  "--error-bar iqr --split paired --connect"
  "--error-bar mean --split non-paired"
  "--type boxplot"
  "--type boxplot --log --blue --split non-paired"
  "--tests --split non-paired --log --error-bar median"
  "--type boxplot --tests --split paired --mark-limits"
  "--type placeholder"
)
for example in "$examples"/*.wk1 "$examples"/*.tsv; do
  name=$(basename "$example")
  compare "grid $name" grid "$example"
  compare "stats $name" stats "$example" --split paired
  for option in "${options[@]}"; do
    # shellcheck disable=SC2086 # the options are words
    compare "plot $name $option (EMF, trace)" plot "$example" $option -o chart.emf --ops trace.txt
    # shellcheck disable=SC2086
    compare "plot $name $option (SVG)" plot "$example" $option -o chart.svg
  done
done
# A .png is played by the system's metafile player: its own bytes, but a PNG.
rm -rf "$work/png" && mkdir -p "$work/png"
if (cd "$work/png" && "$session" run "$dir" "$windows" plot "$examples/treatment.wk1" -o chart.png) &&
   [ "$(head -c 8 "$work/png/chart.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "NO PNG from quillmap-cli.exe"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
