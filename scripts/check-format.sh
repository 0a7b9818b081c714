#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from .clang-format; lists those files.
# clang-format runs on batches of files, two batches at a time, and names each file it would
# change in its "code should be clang-formatted" errors.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing" >&2; exit 1; }
count=$(git ls-files '*.cpp' '*.h' | wc -l)
bad=$(git ls-files -z '*.cpp' '*.h' |
  xargs -0 -n 40 -P 2 clang-format --dry-run --Werror 2>&1 |
  grep -oE '^[^:]+\.(cpp|h):[0-9]+:[0-9]+: error' | cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
  echo "These files differ from .clang-format (run clang-format -i on them):"
  printf '  %s\n' $bad
  exit 1
fi
echo "All $count C++ files follow .clang-format"
