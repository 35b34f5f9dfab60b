#!/bin/sh
# Installs the pinned tools into TOOLS_DIR if needed, then runs a script of this folder with Node.
# Exits 77 (ctest: skipped) only when the tools cannot be had because npm is unreachable.
#   run.sh TOOLS_DIR SCRIPT.mjs ARGS...
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tools=$1
script=$2
shift 2
status=0
"$here/../../../scripts/install-pinned-npm.sh" "$here" "$tools" || status=$?
[ "$status" -eq 0 ] || exit "$status"
exec timeout 600 node "$here/$script" "$@"
