#!/usr/bin/env bash
# Sets up what is missing, builds the window and opens it on the user's display.
#   scripts/run-window.sh
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) it says so and exits with 2;
# for a headless run use xvfb-run -a scripts/run-window.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-window.sh: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); run it in a desktop session or under xvfb-run -a" >&2
  exit 2
fi

scripts/setup.sh
cmake --preset default
cmake --build --preset default --target velunta-window
exec build/default/window/velunta-window "$@"
