#!/usr/bin/env bash
# Sets up what is missing, builds the window and opens it on the user's display.
#   scripts/run-window.sh [Qt options]
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) it also installs a virtual X server
# and runs the window there, under xvfb-run, until it is ended (Ctrl-C).
set -euo pipefail
cd "$(dirname "$0")/.."

sets=(lib window)
headless=false
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  headless=true
  sets+=(headless)
fi
scripts/setup.sh "${sets[@]}"

# The window and the libraries alone: no tests, benchmarks or command.
cmake --preset lib -B build/window -DVELUNTA_BUILD_WINDOW=ON -DVELUNTA_BUILD_CLI=OFF >/dev/null
cmake --build build/window --parallel "$(nproc)" --target velunta-window

if $headless; then
  echo "run-window.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset): the window runs on a virtual X server, where nobody sees it; Ctrl-C ends it" >&2
  exec xvfb-run -a build/window/window/velunta-window "$@"
fi
exec build/window/window/velunta-window "$@"
