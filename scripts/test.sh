#!/usr/bin/env bash
# The whole test suite from a clean checkout: dependencies, the format check, the release build
# and its tests (the desktop program's under a virtual X server), the Windows programs
# cross-built and tested under Wine (against the release build's quillmap-cli), the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded run of every fuzz
# target (built in the same sanitizer build). Tests run two at a time; each step says when it
# began.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
step() {
  echo "== $1 (at $((SECONDS - started)) s)"
}
step "dependencies"
scripts/install-deps.sh
step "format"
scripts/check-format.sh

step "release build and tests"
cmake --preset release
cmake --build --preset release
ctest --preset release

step "Windows build and tests under Wine"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

step "sanitizer build and tests"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

step "fuzzing"
scripts/run-fuzzers.sh build/asan/fuzz
step "all passed"
