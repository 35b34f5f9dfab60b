#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test suite.
#   scripts/test.sh            release build, warnings as errors
#   scripts/test.sh sanitize   the same suites under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

scripts/setup.sh lib window test python js
cmake --preset "$preset"
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j "$(nproc)"
