#!/usr/bin/env bash
# The whole test suite from a clean checkout: dependencies, the format check, the release build
# and its tests (the desktop program's under a virtual X server), the Windows programs
# cross-built and tested under Wine (against the release build's quillmap-cli), the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh

cmake --preset release
cmake --build --preset release
ctest --preset release

cmake --preset windows
cmake --build --preset windows
ctest --preset windows

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset fuzz
cmake --build --preset fuzz
scripts/run-fuzzers.sh build/fuzz/fuzz
