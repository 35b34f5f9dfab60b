#!/bin/sh
# Installs the npm packages pinned by a folder's package-lock.json into TOOLS_DIR, then runs a
# Node script with TOOLS_DIR as its first argument. Exits 77 (ctest: skipped) only when the
# packages cannot be had because npm or its registry is unreachable.
#   run-pinned.sh PINNED_DIR TOOLS_DIR SCRIPT.mjs ARGS...
set -eu
root=$(cd "$(dirname "$0")/../../.." && pwd)
status=0
"$root/scripts/install-pinned-npm.sh" "$1" "$2" || status=$?
[ "$status" -eq 0 ] || exit "$status"
tools=$(cd "$2" && pwd)
script=$3
shift 3
exec timeout 600 node "$script" "$tools" "$@"
