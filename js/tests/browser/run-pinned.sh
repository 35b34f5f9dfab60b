#!/bin/sh
# Installs the npm packages pinned by a folder's package-lock.json into TOOLS_DIR (once per lock
# file), then runs a Node script with NODE_PATH pointing at them. Exits 77 (ctest: skipped) only
# when the packages cannot be had because npm or its registry is unreachable.
#   run-pinned.sh PINNED_DIR TOOLS_DIR SCRIPT.mjs ARGS...
set -eu
pinned=$(cd "$1" && pwd)
mkdir -p "$2"
tools=$(cd "$2" && pwd)
script=$3
shift 3

# The stamp is the lock file copied after a complete install, so a broken install is retried.
if ! cmp -s "$pinned/package-lock.json" "$tools/installed.lock" 2>/dev/null; then
  if ! command -v npm >/dev/null; then
    echo "run-pinned.sh: npm is not installed (apt-get install npm); skipped" >&2
    exit 77
  fi
  if ! timeout 20 npm ping >/dev/null 2>&1; then
    echo "run-pinned.sh: the npm registry cannot be reached; skipped" >&2
    exit 77
  fi
  cp "$pinned/package.json" "$pinned/package-lock.json" "$tools/"
  (cd "$tools" && timeout 300 npm ci --ignore-scripts --no-audit --no-fund >&2)
  cp "$pinned/package-lock.json" "$tools/installed.lock"
fi
exec timeout 600 node "$script" "$tools" "$@"
