#!/usr/bin/env bash
# Installs the dependencies, builds Quillmap, and draws a bundled example worksheet as a
# chart: out/treatment.emf (the metafile a user pastes) and out/treatment.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
mkdir -p out
cli=build/release/quillmap-cli
$cli plot examples/treatment.wk1 --type ttest --error-bar sd -o out/treatment.emf
$cli plot examples/treatment.wk1 --type ttest --error-bar sd -o out/treatment.svg
echo "Drew examples/treatment.wk1 into out/treatment.emf and out/treatment.svg"
